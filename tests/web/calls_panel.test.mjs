// Which calls the lab marks as differing between its two views: those the longest shared run
// of the two lists leaves out, on each side.
import assert from "node:assert/strict";
import { test } from "node:test";
import { differences } from "../../web/lab/calls_panel.js";

const marked = (calls, marks) => calls.filter((_, i) => marks[i]);

test("the calls one view makes and the other does not, and no others", () => {
  const frame = ["glClear", "glPushMatrix", "glTranslatef(1)", "glRotatef(90)", "glBegin", "glEnd", "glPopMatrix", "swap"];
  const swapped = ["glClear", "glPushMatrix", "glRotatef(90)", "glTranslatef(1)", "glBegin", "glEnd", "glPopMatrix", "swap"];
  const cases = [
    ["the same calls", frame, frame, [], []],
    ["two calls swapped: the same one of them on each side", frame, swapped, ["glTranslatef(1)"], ["glTranslatef(1)"]],
    ["calls added", frame, [...frame.slice(0, 2), "glPushMatrix", "glScalef(2)", ...frame.slice(2)], [], ["glPushMatrix", "glScalef(2)"]],
    ["an argument changed", frame, frame.map((c) => c.replace("90", "-90")), ["glRotatef(90)"], ["glRotatef(-90)"]],
    ["the first and the last call", frame, ["x", ...frame.slice(1, -1), "y"], ["glClear", "swap"], ["x", "y"]],
    ["one list empty", frame, [], frame, []],
  ];
  for (const [name, a, b, onA, onB] of cases) {
    const [marksA, marksB] = differences(a, b);
    assert.deepEqual([marksA.length, marksB.length], [a.length, b.length], `${name}: a mark for each call`);
    assert.deepEqual(marked(a, marksA), onA, `${name}: marked on the first`);
    assert.deepEqual(marked(b, marksB), onB, `${name}: marked on the second`);
  }
});
