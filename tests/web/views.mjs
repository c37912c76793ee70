// What the car looks like, as pixel probes on flat colour away from edges, given in the
// program's 800 x 600 picture and scaled to the size shown.
import assert from "node:assert/strict";
import { PNG } from "pngjs";
import { colourAt } from "./browser_page.mjs";

const BODY = [102, 128, 153];
const CABIN = [179, 204, 230];
const TIRE = [0, 0, 0];
const WHITE = [255, 255, 255];

// SwiftShader's colours are within 1 of the exact 8-bit values.
const TOLERANCE = 2;

// One scene unit is 40 px across and 30 px tall; the world origin is at (400, 300).
export const START_VIEW = [
  ["body, middle", [400, 311], BODY],
  ["body, front end", [325, 305], BODY],
  ["body, rear end", [475, 318], BODY],
  ["cabin side", [410, 292], CABIN],
  // The tires: rings 0.28 to 0.55 units from the hub, a bar across the hole.
  ["front tire, below the hub", [360, 335], TIRE],
  ["front tire, outer part", [341, 326], TIRE],
  ["front tire, inner part", [347, 326], TIRE],
  ["front tire, hole", [352, 326], WHITE],
  ["rear tire, outer part", [469, 326], TIRE],
  ["rear tire, inner part", [463, 326], TIRE],
  ["rear tire, hole", [458, 326], WHITE],
  ["between the wheels", [405, 335], WHITE],
  ["above the car", [400, 100], WHITE],
  ["left of the car", [200, 311], WHITE],
  ["right of the car", [600, 311], WHITE],
];

// 20 steps of a quarter unit forward: 5 units, 200 px towards the front, at -x.
export const DRIVEN_FORWARD = [
  ["body, middle", [200, 311], BODY],
  ["body, front end", [125, 305], BODY],
  ["body, rear end", [275, 318], BODY],
  ["where the body started", [400, 311], WHITE],
  ["where the rear end was", [475, 318], WHITE],
];

// Turned 30 degrees about y: the four tires stand apart below the body. Each wrong turn that a
// mix-up of CSS and screen pixels gives (10, 60 or 90 degrees) fails some of these, and so
// does none.
export const TURNED_30 = [
  ["body, front half, where a tire stands unturned", [352, 311], BODY],
  ["body, front end, past the side view's and before 60 degrees'", [328, 309], BODY],
  ["body, rear end, gone at 60 degrees", [477, 305], BODY],
  ["second tire from the left, below its hub", [383, 334], TIRE],
  ["third tire from the left, below its hub", [423, 332], TIRE],
  ["above the car", [400, 100], WHITE],
  ["left of the car", [200, 311], WHITE],
];

// Turned 90 degrees about y: the front end faces the viewer, 1.5 units wide, centred on 400;
// the front wheels stand edge-on behind its sides.
export const FRONT_ON = [
  ["front end, middle", [400, 311], BODY],
  ["front end, left", [380, 311], BODY],
  ["front end, right", [420, 311], BODY],
  ["cabin front slope", [400, 292], CABIN],
  ["left of the front end", [362, 302], WHITE],
  ["right of the front end", [438, 302], WHITE],
  ["tire edge-on, below the body", [430, 332], TIRE],
  ["where the side view's rear end was", [475, 318], WHITE],
];

export function assertProbes(picture, probes) {
  const wrong = probes
    .map(([name, at, expected]) => ({ name, at, expected, seen: colourAt(picture, at) }))
    .filter(({ expected, seen }) => seen.some((c, i) => Math.abs(c - expected[i]) > TOLERANCE));
  assert.deepEqual(wrong, []);
}

// The view's turn about the vertical in degrees, 0 to 359, as the page's scene holds it: the
// finished drags plus the one in progress (the browser build's exported scene numbers).
export function viewTurn(tab) {
  return tab.evaluate(() => {
    Module._StoreSceneState();
    const at = Module._SceneStateNumbers() / Float64Array.BYTES_PER_ELEMENT;
    const turn = Module.HEAPF64[at + 4] + Module.HEAPF64[at + 2];
    return ((turn % 360) + 360) % 360;
  });
}

// The pointer's offsets along a chord of 90 px in moves of `step` px: 45 px with the left
// button alone, then 45 more, each half ending on its own mark.
export function chordMoves(step) {
  const half = (from) => Array.from({ length: Math.ceil(45 / step) }, (_, i) => Math.min(from + (i + 1) * step, from + 45));
  return [...half(0), ...half(45)];
}

export function canvasBox(tab) {
  return tab.evaluate(() => {
    const { x, y, width, height } = document.getElementById("canvas").getBoundingClientRect();
    return { x, y, width, height };
  });
}

// The canvas as shown, at the screen's own resolution, once two grabs in a row agree.
export async function settledPicture(tab) {
  const clip = await canvasBox(tab);
  const deadline = Date.now() + 10000;
  let last = await tab.canvasShot(clip);
  for (;;) {
    const next = await tab.canvasShot(clip);
    if (next.equals(last)) return PNG.sync.read(next);
    if (Date.now() > deadline) throw new Error("the picture never settled");
    last = next;
  }
}

export function assertSamePicture(seen, expected, what) {
  assert.equal(seen.width, expected.width, what);
  assert.ok(seen.data.equals(expected.data), `${what}: the pictures differ`);
}

// A point given in CSS px from the canvas's top left corner, in the window.
export async function onCanvas(tab, [x, y]) {
  const box = await canvasBox(tab);
  return [box.x + x, box.y + y];
}

// A drag `dx` px right and `dy` px down from `from` on the canvas, in steps of 10 px at most.
export async function drag(tab, dx, { dy = 0, button = "left", from = [400, 450] } = {}) {
  const [x, y] = await onCanvas(tab, from);
  await tab.mouseMove(x, y);
  await tab.mouseDown(button);
  const steps = Math.ceil(Math.max(Math.abs(dx), Math.abs(dy)) / 10);
  for (let i = 1; i <= steps; i++) await tab.mouseMove(x + (dx * i) / steps, y + (dy * i) / steps);
  await tab.mouseUp(button);
}
