// The lab: the experiment named in the address (#swapped), or the program as written alone,
// each view a real instance of the program on its own canvas. The page gives every input to
// every view's own handlers, in the same order with the same numbers, so the views hold the
// same scene; it shows each view's calls after each frame.
import { experiments, guide } from "./experiments.js";
import { differences, showCalls } from "./calls_panel.js";

const GLUT_DOWN = 0;
const GLUT_UP = 1;
const ARROW_KEYS = { ArrowLeft: 100, ArrowUp: 101, ArrowRight: 102, ArrowDown: 103 };
const SCENE_NUMBERS = 11;

const experiment = experiments.find((e) => `#${e.name}` === location.hash) ?? experiments[0];
const views = [];

// The page reloads for another experiment: a program cannot be taken off its canvas.
window.addEventListener("hashchange", () => location.reload());

function describeExperiment() {
  document.title = `${experiment.title} – Car lab`;
  document.getElementById("guide-link").href = guide;
  const list = document.querySelector("#experiments ul");
  for (const { name, title } of experiments) {
    const link = list.appendChild(document.createElement("li")).appendChild(document.createElement("a"));
    link.href = `#${name}`;
    link.textContent = title;
    if (name === experiment.name) link.setAttribute("aria-current", "page");
  }
  document.getElementById("title").textContent = experiment.title;
  const question = document.getElementById("question");
  if (experiment.question) question.innerHTML = experiment.question;
  else question.textContent = "The viewer's own program. Drive it and watch which arguments of which calls change.";
  document.getElementById("back").href = `${guide}#${experiment.section}`;
  if (!experiment.patch) return;
  document.getElementById("patch-section").hidden = false;
  const patch = document.getElementById("patch");
  for (const line of experiment.patch.split("\n")) {
    const span = patch.appendChild(document.createElement("span"));
    span.textContent = `${line}\n`;
    if (/^\+(?!\+\+)/.test(line)) span.className = "added";
    if (/^-(?!--)/.test(line)) span.className = "removed";
  }
}

// One view: its canvas, the program on it, and its panel.
async function startView(program, heading) {
  const section = document.getElementById("view").content.firstElementChild.cloneNode(true);
  document.getElementById("views").append(section);
  section.querySelector("h3").textContent = heading;
  const canvas = section.querySelector("canvas");
  const view = {
    heading,
    canvas,
    panel: section.querySelector("details"),
    openingList: section.querySelector(".opening-calls"),
    windowList: section.querySelector(".window-calls"),
    frameList: section.querySelector(".frame-calls"),
    openingCalls: [],
    windowCalls: [],
    frameCalls: [],
  };
  views.push(view);
  [canvas.width, canvas.height] = bufferSize(canvas);
  const { default: start } = await import(`./${program}.js`);
  view.module = await start({
    canvas,
    print: (text) => console.log(text),
    printErr: (text) => console.warn(text),
    postMainLoop: () => frameDrawn(view),
  });
  new ResizeObserver(() => fitBuffer(view)).observe(canvas);
  return view;
}

function bufferSize(canvas) {
  const box = canvas.getBoundingClientRect();
  return [Math.round(box.width * devicePixelRatio), Math.round(box.height * devicePixelRatio)];
}

function fitBuffer(view) {
  const [width, height] = bufferSize(view.canvas);
  if (width === view.canvas.width && height === view.canvas.height) return;
  view.module.setCanvasSize(width, height);
  view.module._glutPostRedisplay();
}

const lines = (text) => text.split("\n").filter(Boolean);

function frameDrawn(view) {
  const { module } = view;
  view.firstFrameMs ??= performance.now();
  // A list that has not changed stays the same array, so the panels can pass it by.
  const kept = (calls, text) => {
    const now = lines(text);
    return now.length === calls.length && now.every((call, i) => call === calls[i]) ? calls : now;
  };
  if (!view.openingCalls.length) view.openingCalls = lines(module.UTF8ToString(module._LabOpeningCalls()));
  view.windowCalls = kept(view.windowCalls, module.UTF8ToString(module._LabWindowCalls()));
  view.frameCalls = kept(view.frameCalls, module.UTF8ToString(module._LabFrameCalls()));
  view.canvas.setAttribute("aria-label", `${view.heading}: ${sceneWords(sceneNumbers(view))}`);
  showPanels();
}

// Only open panels follow the frames; with two views, the calls where they differ are marked
// on both. A list is shown again only when its calls or the other view's have changed.
function showPanels() {
  const drawn = views.filter((view) => view.module);
  for (const part of ["opening", "window", "frame"]) {
    const lists = drawn.map((view) => view[`${part}Calls`]);
    const shown = (list) => list.shownFrom?.length === lists.length && list.shownFrom.every((calls, i) => calls === lists[i]);
    const stale = drawn.filter((view) => view.panel.open && !shown(view[`${part}List`]));
    if (!stale.length) continue;
    const marks = lists.length === 2 ? differences(...lists) : [[]];
    for (const view of stale) {
      const list = view[`${part}List`];
      list.shownFrom = lists;
      showCalls(list, view[`${part}Calls`], marks[drawn.indexOf(view)]);
    }
  }
}

function sceneNumbers(view) {
  const { module } = view;
  module._StoreSceneState();
  const at = module._SceneStateNumbers() / Float64Array.BYTES_PER_ELEMENT;
  return [...module.HEAPF64.subarray(at, at + SCENE_NUMBERS)];
}

function setSceneNumbers(numbers) {
  for (const { module } of views) {
    module.HEAPF64.set(numbers, module._SceneStateNumbers() / Float64Array.BYTES_PER_ELEMENT);
    module._LoadSceneState();
    module._glutPostRedisplay();
  }
}

// Every input goes to every view, through its own handlers.
function toAll(give) {
  for (const { module } of views) if (module) give(module);
}

// Whatever is pressed is said once let go, as the change it made to the scene.
const words = document.getElementById("words");
let before = null;

function say(text) {
  const line = document.createElement("p");
  line.textContent = text;
  words.replaceChildren(line);
}

function pressing() {
  if (views[0]?.module && !before) before = sceneNumbers(views[0]);
}

function letGo() {
  if (!before) return;
  say(changeWords(before, sceneNumbers(views[0])));
  before = null;
}

// The programs' GLUT listens to keys, mice and touches on the whole window; here the page
// gives the programs their input itself, the same to each, so none of it reaches GLUT. This
// runs first: the programs are loaded after.
for (const type of ["keydown", "keyup", "keypress", "mousedown", "mouseup", "mousemove", "mousewheel", "DOMMouseScroll",
  "touchstart", "touchmove", "touchend", "touchcancel"]) {
  window.addEventListener(type, (event) => {
    event.stopImmediatePropagation();
    if (type === "keydown") onKeyDown(event);
    if (type === "keyup" && event.key in ARROW_KEYS) letGo();
  }, { capture: true, passive: false });
}

// The arrows drive where they have nothing else to do: on a view, the controls or the page
// itself; in the patch and the panels they scroll as usual.
function onKeyDown(event) {
  const key = ARROW_KEYS[event.key];
  if (!key || event.altKey || event.ctrlKey || event.metaKey) return;
  const at = document.activeElement;
  if (at && at !== document.body && !at.matches("canvas") && !at.closest("#controls")) return;
  event.preventDefault();
  pressing();
  toAll((module) => module._LabSpecial(key));
}

// A drag on either view turns both: one pointer at a time, its buttons as GLUT's, at whole CSS
// pixels in the view's box, one degree each, as on the viewer's page.
let dragging = null;

function pointAt(event) {
  const box = dragging.canvas.getBoundingClientRect();
  return [Math.round(event.clientX - box.left), Math.round(event.clientY - box.top)];
}

function onPointerDown(event) {
  if (dragging) return;
  event.preventDefault();
  dragging = { pointer: event.pointerId, canvas: event.currentTarget, buttons: new Set([event.button]) };
  event.currentTarget.setPointerCapture(event.pointerId);
  const [x, y] = pointAt(event);
  dragging.last = [x, y];
  toAll((module) => module._LabMouse(event.button, GLUT_DOWN, x, y));
}

function onPointerMove(event) {
  if (dragging?.pointer !== event.pointerId) return;
  const [x, y] = pointAt(event);
  dragging.last = [x, y];
  // A mouse button pressed or let go while another is held comes as a move. WebKitGTK names a
  // held button in the moves after such a press too: only a change of its state is one.
  const down = event.button >= 0 && (event.buttons & (1 << [0, 2, 1][event.button])) !== 0;
  if (event.button >= 0 && down !== dragging.buttons.has(event.button)) {
    if (down) dragging.buttons.add(event.button);
    else dragging.buttons.delete(event.button);
    toAll((module) => module._LabMouse(event.button, down ? GLUT_DOWN : GLUT_UP, x, y));
    return;
  }
  toAll((module) => module._LabMotion(x, y));
}

// A lift, or a pointer the browser took away, lets go of every button held, where it was.
function onPointerEnd(event) {
  if (dragging?.pointer !== event.pointerId) return;
  const [x, y] = event.type === "pointerup" ? pointAt(event) : dragging.last;
  for (const button of dragging.buttons) toAll((module) => module._LabMouse(button, GLUT_UP, x, y));
  dragging = null;
}

function listenToDrags(canvas) {
  canvas.addEventListener("pointerdown", onPointerDown);
  canvas.addEventListener("pointermove", onPointerMove);
  for (const type of ["pointerup", "pointercancel", "lostpointercapture"]) canvas.addEventListener(type, onPointerEnd);
  canvas.addEventListener("contextmenu", (event) => event.preventDefault());
}

function listenToButtons() {
  const press = (act) => () => {
    pressing();
    act();
    letGo();
  };
  for (const button of document.querySelectorAll("#controls [data-key]")) {
    button.addEventListener("click", press(() => toAll((module) => module._LabSpecial(Number(button.dataset.key)))));
  }
  for (const button of document.querySelectorAll("#controls [data-turn]")) {
    const [dx, dy] = button.dataset.turn.split(",").map(Number);
    button.addEventListener("click", press(() => toAll((module) => module._TurnView(dx, dy))));
  }
  document.getElementById("guide-pose").addEventListener("click", () => {
    setSceneNumbers(experiment.pose);
    say("In the guide's pose.");
  });
  document.getElementById("start").addEventListener("click", () => {
    setSceneNumbers(new Array(SCENE_NUMBERS).fill(0));
    say("At the start.");
  });
}

describeExperiment();
listenToButtons();
document.addEventListener("toggle", showPanels, true);
const starting = [startView("as-written", "As written")];
if (experiment.patch) starting.push(startView(experiment.name, "With the patch"));
for (const view of await Promise.all(starting)) listenToDrags(view.canvas);
// For the tests and the benchmark, and for anyone curious in the console: `drawFrame` draws a
// frame of each view now, as GLUT's redisplay would.
const drawFrame = () => {
  for (const view of views) {
    view.module._LabRedraw();
    frameDrawn(view);
  }
};
window.lab = { views, sceneNumbers, drawFrame, ready: true };
