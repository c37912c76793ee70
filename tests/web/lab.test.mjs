// The lab in Chromium: at the guide's pose each view gives OpenGL exactly the calls the program
// (as written, or with the experiment's patch) gives on the host for the same window and input,
// and the two pictures differ where the guide says; the viewer's own page never loads the lab;
// on a phone the views stack and a finger turns both; axe-core finds nothing; the keyboard
// alone reaches and works every control. (lab_storm.test.mjs: input in all three engines.)
import assert from "node:assert/strict";
import { execFileSync } from "node:child_process";
import { existsSync } from "node:fs";
import { join } from "node:path";
import { describe, test } from "node:test";
import { fileURLToPath } from "node:url";
import { axeFindings } from "./axe.mjs";
import {
  DEVICES,
  DRIVE_BUTTONS,
  TURN_BUTTONS,
  canvasBox,
  openPage,
  serverAndBrowser,
  settledPicture,
  touchScreen,
  waitForFirstFrame,
} from "./browser_page.mjs";
import { RECORD_X, asWritten, experiments, labStarted, labUrl, patched, viewCount, viewNumbers } from "./lab_page.mjs";

const repo = fileURLToPath(new URL("../..", import.meta.url));
// frame_calls and frame_calls_NAME, from the host's test build (scripts/test.sh builds it
// before these tests).
const hostTools = process.env.CAR_FRAME_CALLS_DIR ?? join(repo, "build/test/tests/guide");

// The input of each experiment's picture in the guide, as frame_calls takes it; the program as
// written is seen in the guide's pose.
const guideInput = new Map(
  execFileSync("sh", ["tools/guide-experiments.sh", "list"], { cwd: repo, encoding: "utf8" })
    .split("\n")
    .filter(Boolean)
    .map((line) => {
      const [name, , input] = line.split("|");
      return [name === "pose" ? asWritten.name : name, input.split(" ")];
    }),
);

// "In the first frame most of them change nothing you can see: every angle is 0 and the far
// wheels stand exactly behind the near ones." The box the shape of the window shows "in any
// frame, the first one too", and a longer car or a fifth wheel is there from the start.
const ALIKE_AT_START = new Set(["swapped", "no-wheel-push", "no-depth-test", "backwards"]);

const CANVASES = ["#views > :nth-child(1) canvas", "#views > :nth-child(2) canvas"];

// The calls the host's recorder gives for `program` in a window of `size` after `input`.
function hostCalls(program, [width, height], input) {
  const tool = join(hostTools, program === asWritten.name ? "frame_calls" : `frame_calls_${program}`);
  assert.ok(
    existsSync(tool),
    `${tool} is missing: build the host's tools first ` +
      "(cmake --preset test && cmake --build build/test -j2 --target frame_calls guide_try_frame_calls)",
  );
  return execFileSync(tool, [String(width), String(height), ...input], { encoding: "utf8" }).split("\n").filter(Boolean);
}

// Run in the lab: from a press of The guide's pose or Start on, each view counts the frames it
// has drawn since, in `posedFrames`. The press's own handler, which sets the scene, runs first.
function countPosedFrames() {
  for (const view of lab.views) {
    view.posedFrames = null;
    const drawn = view.module.postMainLoop;
    view.module.postMainLoop = () => {
      drawn();
      if (view.posedFrames !== null) view.posedFrames++;
    };
  }
  for (const id of ["guide-pose", "start"]) {
    document.getElementById(id).addEventListener("click", () => lab.views.forEach((view) => (view.posedFrames = 0)));
  }
}

// The two views' pictures, scrolled into the window, side by side.
async function viewPictures(page) {
  await page.evaluate(() => document.getElementById("views").scrollIntoView());
  return Promise.all(CANVASES.map((canvas) => settledPicture(page, canvas)));
}

// The pixels in which two pictures of the same size differ.
function differingPixels([a, b]) {
  assert.deepEqual([a.width, a.height], [b.width, b.height], "the views' sizes");
  let count = 0;
  for (let i = 0; i < a.data.length; i += 4) {
    if (a.data[i] !== b.data[i] || a.data[i + 1] !== b.data[i + 1] || a.data[i + 2] !== b.data[i + 2]) count++;
  }
  return count;
}

describe("the lab's calls, pictures and access, in Chromium", () => {
  const shared = serverAndBrowser();

  // Opens lab/#`name` in `context` once its views have drawn; `errors` as openPage's.
  async function openLab(name, context = shared.browser.context) {
    const opened = await openPage(context, labUrl(shared.server.url, name), undefined, (page) =>
      page.waitForFunction(labStarted, viewCount(name)),
    );
    await opened.page.evaluate(countPosedFrames);
    return opened;
  }

  // Presses a pose button in the way `press` does, and waits until both views have drawn after it.
  async function posed(page, press) {
    await press();
    await page.waitForFunction(() => lab.views.every((view) => view.posedFrames > 0));
  }
  const click = (page, name) => () => page.getByRole("button", { name, exact: true }).click();

  for (const experiment of experiments) {
    const both = experiment !== asWritten;
    const start = ALIKE_AT_START.has(experiment.name) ? "alike" : "different";
    const what = both ? `; the pictures differ there, and are ${start} at Start` : "";
    test(`lab/${both ? `#${experiment.name}` : ""}: at the guide's pose each view's calls are the host program's${what}`, async (t) => {
      const { page, errors } = await openLab(experiment.name);
      try {
        await posed(page, click(page, "The guide's pose"));
        const views = await page.evaluate(() =>
          lab.views.map((view) => ({
            heading: view.heading,
            size: [view.canvas.width, view.canvas.height],
            calls: [...view.windowCalls, ...view.frameCalls],
          })),
        );
        const programs = both ? [asWritten.name, experiment.name] : [asWritten.name];
        assert.deepEqual(views.map((view) => view.heading), both ? ["As written", "With the patch"] : ["As written"]);
        for (const [i, { heading, size, calls }] of views.entries()) {
          t.diagnostic(`${heading}: ${calls.length} calls in a buffer of ${size.join(" x ")}`);
          assert.deepEqual(calls, hostCalls(programs[i], size, guideInput.get(experiment.name)), heading);
        }
        if (both) {
          const atPose = differingPixels(await viewPictures(page));
          t.diagnostic(`${atPose} pixels differ at the guide's pose`);
          assert.ok(atPose > 100, `only ${atPose} pixels differ at the guide's pose`);
          await posed(page, click(page, "Start"));
          const atStart = differingPixels(await viewPictures(page));
          t.diagnostic(`${atStart} pixels differ at Start`);
          if (start === "alike") assert.equal(atStart, 0, "pixels differing at Start");
          else assert.ok(atStart > 100, `only ${atStart} pixels differ at Start`);
        }
        assert.deepEqual(errors, []);
      } finally {
        await page.close();
      }
    });
  }

  test("the viewer's first load asks for nothing of the lab", async () => {
    const context = await shared.browser.newContext(DEVICES.desktop);
    try {
      // The service worker's requests too: the context sees them all.
      const requested = [];
      context.on("request", (request) => requested.push(new URL(request.url()).pathname));
      const page = await context.newPage();
      await page.goto(shared.server.url);
      await waitForFirstFrame(page);
      await page.waitForTimeout(1000);
      assert.ok(requested.includes("/index.wasm"), `the log holds no index.wasm: ${requested}`);
      assert.deepEqual(requested.filter((path) => path.startsWith("/lab/")), []);
    } finally {
      await context.close();
    }
  });

  test("on a phone the views stack, and a finger's drag on the second turns both", async () => {
    const context = await shared.browser.newContext(DEVICES.phone);
    try {
      const { page, errors } = await openLab("swapped", context);
      const [first, second] = await page.evaluate(() =>
        [...document.querySelectorAll("#views > .view")].map((view) => {
          const { left, top, bottom } = view.getBoundingClientRect();
          return { left, top, bottom };
        }),
      );
      assert.ok(second.top >= first.bottom && second.left === first.left, `views at ${JSON.stringify([first, second])}`);
      await page.evaluate((canvas) => document.querySelector(canvas).scrollIntoView({ block: "center" }), CANVASES[1]);
      const box = await canvasBox(page, CANVASES[1]);
      const [x, y] = [box.x + 40, box.y + box.height / 2];
      const touches = await touchScreen(page);
      await touches.start({ 0: [x, y] });
      for (let dx = 5; dx <= 40; dx += 5) await touches.move({ 0: [x + dx, y] });
      await touches.lift();
      const [written, patch] = await page.evaluate(viewNumbers);
      assert.deepEqual(patch, written, "the views' scene numbers");
      assert.equal(written[RECORD_X], 40, "the drags across in degrees");
      assert.deepEqual(errors, []);
    } finally {
      await context.close();
    }
  });

  for (const device of ["desktop", "phone"]) {
    for (const scheme of ["light", "dark"]) {
      test(`axe-core finds nothing against WCAG 2.2 A and AA or its best practices: ${device}, ${scheme}`, async (t) => {
        const context = await shared.browser.newContext({ ...DEVICES[device], colorScheme: scheme });
        try {
          const { page, errors } = await openLab("swapped", context);
          const tint = await page.evaluate(() => getComputedStyle(document.body).backgroundColor);
          assert.equal(tint, scheme === "dark" ? "rgb(29, 36, 43)" : "rgb(221, 227, 233)");
          const result = await axeFindings(page);
          t.diagnostic(`axe: ${result.passes} rules pass, to review: ${result.incomplete.join(" ") || "none"}`);
          assert.deepEqual(result.violations, []);
          assert.deepEqual(errors, []);
        } finally {
          await context.close();
        }
      });
    }
  }

  test("the keyboard alone: Tab reaches every link, control, view and panel, each ringed; Enter, Space and arrows work", async () => {
    const experiment = patched.find((e) => e.name === "swapped");
    const { page, errors } = await openLab(experiment.name);
    try {
      // Each stop in Tab's order, and what is done there: the keys pressed, and the scene numbers
      // both views must then hold ("changed": other than before, the same in both).
      const stops = [
        ["The viewer"],
        ["How the car is drawn"],
        ...experiments.map(({ title }) => [title]),
        ["This in the guide"],
        ["The patch"],
        ["The guide's pose", ["Enter"], experiment.pose],
        ["Start", [" "], new Array(11).fill(0)],
        ...[...TURN_BUTTONS, ...DRIVE_BUTTONS].map((name, i) => [name, [i % 2 ? " " : "Enter"], "changed"]),
        ["As written", ["ArrowLeft", "ArrowUp"], "changed"],
        ["As written: What OpenGL is told"],
        ["With the patch", ["ArrowUp", "ArrowRight"], "changed"],
        ["With the patch: What OpenGL is told"],
      ];
      // The focused element's name (a view, panel or the patch by its heading), and its ring.
      const ring = () => {
        const at = document.activeElement;
        const view = at.closest(".view")?.querySelector("h3").textContent;
        const name = at.matches("canvas")
          ? view
          : at.matches("summary")
            ? `${view}: ${at.textContent}`
            : at.matches("pre")
              ? at.closest("section").querySelector("h3").textContent
              : (at.ariaLabel ?? at.textContent);
        const style = getComputedStyle(at);
        return [name, at.matches(":focus-visible"), style.outlineStyle, style.outlineWidth];
      };
      let numbers = await page.evaluate(viewNumbers);
      for (const [name, keys, expected] of stops) {
        await page.keyboard.press("Tab");
        assert.deepEqual(await page.evaluate(ring), [name, true, "solid", "3px"], "the focus and its ring");
        if (!keys) continue;
        for (const key of keys) await page.keyboard.press(key);
        const [written, patch] = await page.evaluate(viewNumbers);
        assert.deepEqual(patch, written, `${name}: the views' scene numbers`);
        if (expected === "changed") assert.notDeepEqual(written, numbers, `${name} changed nothing`);
        else assert.deepEqual(written, expected, name);
        numbers = written;
      }
      assert.deepEqual(errors, []);
    } finally {
      await page.close();
    }
  });
});
