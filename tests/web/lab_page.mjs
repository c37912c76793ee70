// The lab's page, lab/ beside the viewer's, as its tests see it: the experiments it knows (the
// build wrote them from the guide), its address for each, and what the tests run in it.
import { join } from "node:path";
import { pathToFileURL } from "node:url";
import { pageDir } from "./browser_page.mjs";

// The program as written first, then each experiment with a patch.
export const { experiments } = await import(pathToFileURL(join(pageDir, "lab/experiments.js")).href);
export const asWritten = experiments[0];
export const patched = experiments.slice(1);

// The scene numbers' order, the scene's own: record_x and record_y are the finished drags
// across and down, in pixels (degrees).
export const RECORD_X = 4;
export const RECORD_Y = 5;

// The lab on the server at `url`: one experiment beside the program as written, or the program
// alone.
export const labUrl = (url, name) => `${url}lab/${name === asWritten.name ? "" : `#${name}`}`;

export const viewCount = (name) => (name === asWritten.name ? 1 : 2);

// Run in the lab: true once its `count` views have each drawn a frame.
export function labStarted(count) {
  return window.lab?.ready && lab.views.length === count && lab.views.every((view) => view.frameCalls.length > 0);
}

// Run in the lab: each view's scene numbers.
export function viewNumbers() {
  return lab.views.map((view) => lab.sceneNumbers(view));
}

// Run in the lab: the middle of the control named `name`, in the window.
export function buttonCentre(name) {
  const button = [...document.querySelectorAll("#controls button")].find((b) => (b.ariaLabel ?? b.textContent) === name);
  const box = button.getBoundingClientRect();
  return [box.x + box.width / 2, box.y + box.height / 2];
}
