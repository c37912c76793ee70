// "What OpenGL is told": a view's calls as lists, one call an item, the calls between a
// glPushMatrix and its glPopMatrix in a list inside the push's item, so that the nesting of the
// matrix stack shows as indentation and a screen reader says the level. Calls where the two
// views differ are marked.

// Which calls of each list are not in the other, as one longest run of calls both share in the
// same order leaves them: what a patch added, removed or changed. Gives a mark for each call
// of `a` and one for each of `b`.
export function differences(a, b) {
  const marks = [new Array(a.length).fill(true), new Array(b.length).fill(true)];
  // Only the stretch between what both begin and end with can differ: the rest of a frame is
  // the same call for call, which keeps the table small.
  let first = 0;
  while (first < a.length && first < b.length && a[first] === b[first]) first++;
  let endA = a.length;
  let endB = b.length;
  while (endA > first && endB > first && a[endA - 1] === b[endB - 1]) {
    endA--;
    endB--;
  }
  for (let i = 0; i < first; i++) marks[0][i] = marks[1][i] = false;
  for (let i = endA; i < a.length; i++) marks[0][i] = false;
  for (let j = endB; j < b.length; j++) marks[1][j] = false;
  const n = endA - first;
  const m = endB - first;
  // common[i][j]: the longest shared run of a[first + i ..] and b[first + j ..].
  const common = Array.from({ length: n + 1 }, () => new Uint16Array(m + 1));
  for (let i = n - 1; i >= 0; i--) {
    for (let j = m - 1; j >= 0; j--) {
      common[i][j] = a[first + i] === b[first + j] ? common[i + 1][j + 1] + 1 : Math.max(common[i + 1][j], common[i][j + 1]);
    }
  }
  for (let i = 0, j = 0; i < n && j < m; ) {
    if (a[first + i] === b[first + j]) {
      marks[0][first + i++] = false;
      marks[1][first + j++] = false;
    } else if (common[i + 1][j] >= common[i][j + 1]) i++;
    else j++;
  }
  return marks;
}

// Shows `calls` in the list `list`, marking those `marked` says. The same calls with other
// numbers, as every frame of one program brings, change only the texts that changed.
export function showCalls(list, calls, marked = []) {
  const names = calls.map((call) => call.slice(0, call.indexOf("(")));
  const shown = list.shownItems;
  if (!shown || shown.length !== calls.length || shown.some((item, i) => item.name !== names[i])) {
    list.shownItems = build(list, calls, names);
  }
  list.shownItems.forEach((item, i) => {
    if (item.text.data !== calls[i]) item.text.data = calls[i];
    const mark = Boolean(marked[i]);
    if (item.marked !== mark) {
      item.marked = mark;
      item.li.classList.toggle("differs", mark);
      item.said.textContent = mark ? " (differs)" : "";
    }
  });
}

function build(list, calls, names) {
  const items = [];
  const open = [list];
  list.replaceChildren();
  names.forEach((name, i) => {
    const li = document.createElement("li");
    const code = li.appendChild(document.createElement("code"));
    const text = code.appendChild(document.createTextNode(calls[i]));
    // Said by a screen reader, shown by the mark's colour.
    const said = li.appendChild(document.createElement("span"));
    said.className = "unseen";
    if (name === "glPopMatrix" && open.length > 1) open.pop();
    open.at(-1).append(li);
    if (name === "glPushMatrix") open.push(li.appendChild(document.createElement("ol")));
    items.push({ name, li, text, said, marked: false });
  });
  return items;
}
