// The lab in each browser engine: lab/#swapped starts both views and The guide's pose sets
// both; then seeded storms of mixed input (arrow keys on a view, drags with one button and with
// two on either view, the Turn view and Drive buttons, The guide's pose and Start), after each
// step of which both views hold the same scene, so every input reached both, and a drag,
// however many buttons it took, has turned them by the pointer's travel, no more, no less.
// Chromium storms every experiment, Firefox and WebKitGTK one, shorter. Each storm prints its
// seed (LAB_STORM_SEED=N replays it) and names it in a failure; LAB_STORM_EVENTS sets
// Chromium's length.
import assert from "node:assert/strict";
import { describe, test } from "node:test";
import { DRIVE_BUTTONS, TURN_BUTTONS } from "./browser_page.mjs";
import { ENGINES, recordedPageIn, waitFor } from "./engines.mjs";
import { RECORD_X, RECORD_Y, buttonCentre, labStarted, labUrl, patched, viewNumbers } from "./lab_page.mjs";
import { generator } from "./seeded_random.mjs";

// A laptop's window, as the viewer's tests use.
const DESKTOP = { width: 1280, height: 800 };
const EVENTS = Number(process.env.LAB_STORM_EVENTS ?? 30);
const SHORT_EVENTS = Math.ceil(EVENTS / 2);
const seed = () => Number(process.env.LAB_STORM_SEED ?? Math.floor(Math.random() * 2 ** 31));

const BUTTONS = ["left", "middle", "right"];
const KEYS = ["ArrowUp", "ArrowDown", "ArrowLeft", "ArrowRight"];

// Run in the lab: where the pointer last went down and came up, in whole CSS pixels of the
// view's box, as the engine gave them to the page (Firefox's are at times a fraction off the
// driver's whole pixels).
function recordPointerEnds() {
  window.pointerEnds = {};
  for (const type of ["pointerdown", "pointerup"]) {
    window.addEventListener(
      type,
      (event) => {
        const box = event.target.getBoundingClientRect();
        pointerEnds[type] = [Math.round(event.clientX - box.left), Math.round(event.clientY - box.top)];
      },
      true,
    );
  }
}

// Run in the lab: the box of its `i`th canvas.
function canvasBox(i) {
  const { x, y, width, height } = document.querySelectorAll("#views canvas")[i].getBoundingClientRect();
  return { x, y, width, height };
}

for (const engine of Object.keys(ENGINES)) {
  describe(`the lab in ${engine}`, () => {
    const shared = recordedPageIn(engine);

    // Opens lab/#`name` once both views have drawn, the controls and views in the window; runs
    // the steps; fails on any page or console error, or WebGL warning, on the way.
    async function withLab(name, steps) {
      const tab = await shared.browser.open(labUrl(shared.server.url, name), DESKTOP);
      try {
        await waitFor(tab, "both views", labStarted, 2);
        await tab.evaluate(() => document.getElementById("controls").scrollIntoView());
        await steps(tab);
        assert.deepEqual(await tab.evaluate(() => window.recordedErrors), []);
        assert.deepEqual(await tab.webglWarnings(), [], "WebGL errors or warnings from the browser");
      } finally {
        await tab.close();
      }
    }

    // A real click of the button named `name`.
    async function click(tab, name) {
      await tab.mouseMove(...(await tab.evaluate(buttonCentre, name)));
      await tab.mouseDown("left");
      await tab.mouseUp("left");
    }

    test("lab/#swapped starts both views, and The guide's pose sets both", async () => {
      const experiment = patched.find((e) => e.name === "swapped");
      await withLab(experiment.name, async (tab) => {
        assert.deepEqual(await tab.evaluate(() => lab.views.map((view) => view.heading)), ["As written", "With the patch"]);
        await click(tab, "The guide's pose");
        assert.deepEqual(await tab.evaluate(viewNumbers), [experiment.pose, experiment.pose]);
      });
    });

    const storms = engine === "chromium" ? patched : patched.filter((e) => e.name === "swapped");
    for (const { name } of storms) {
      const events = engine === "chromium" ? EVENTS : SHORT_EVENTS;
      const stormSeed = seed();
      test(`a storm of ${events} inputs on lab/#${name} reaches both views alike, seed ${stormSeed}`, async (t) => {
        t.diagnostic(`seed ${stormSeed} (LAB_STORM_SEED=${stormSeed} replays it)`);
        const random = generator(stormSeed);
        const ran = [];
        await withLab(name, async (tab) => {
          // A drag on either view; resolves to the turn it must give, across and down: the
          // pointer's travel from its press to its release.
          await tab.evaluate(recordPointerEnds);
          const drag = async (buttons) => {
            const box = await tab.evaluate(canvasBox, random.below(2));
            await tab.evaluate(() => (pointerEnds = {}));
            const points = Array.from({ length: 4 }, () => [
              Math.round(box.x + 20 + random.below(box.width - 40)),
              Math.round(box.y + 20 + random.below(box.height - 40)),
            ]);
            await tab.mouseMove(...points[0]);
            await tab.mouseDown(buttons[0]);
            await tab.mouseMove(...points[1]);
            await tab.mouseMove(...points[2]);
            // A second button pressed while the first is held, and either let go first.
            if (buttons[1]) {
              await tab.mouseDown(buttons[1]);
              if (random.below(2)) buttons.reverse();
              await tab.mouseMove(...points[3]);
              await tab.mouseUp(buttons[0]);
            }
            await tab.mouseMove(...points[3]);
            await tab.mouseUp(buttons.at(-1));
            const { pointerdown, pointerup } = await tab.evaluate(() => pointerEnds);
            return [pointerup[0] - pointerdown[0], pointerup[1] - pointerdown[1]];
          };
          const steps = {
            keys: async () => {
              await tab.evaluate((i) => document.querySelectorAll("#views canvas")[i].focus(), random.below(2));
              await tab.press(random.pick(KEYS), 1 + random.below(4));
            },
            drag: () => drag([random.pick(BUTTONS)]),
            twoButtons: () => {
              const first = random.pick(BUTTONS);
              return drag([first, random.pick(BUTTONS.filter((b) => b !== first))]);
            },
            turn: () => click(tab, random.pick(TURN_BUTTONS)),
            drive: () => click(tab, random.pick(DRIVE_BUTTONS)),
            pose: () => click(tab, "The guide's pose"),
            start: () => click(tab, "Start"),
          };
          const kinds = ["keys", "keys", "drag", "drag", "twoButtons", "twoButtons", "turn", "turn", "drive", "drive", "pose", "start"];
          let last = (await tab.evaluate(viewNumbers))[0];
          let changes = 0;
          for (let i = 0; i < events; i++) {
            const kind = random.pick(kinds);
            ran.push(kind);
            const turn = await steps[kind]();
            const [written, patch] = await tab.evaluate(viewNumbers);
            const step = `seed ${stormSeed}, step ${i + 1} (${kind})`;
            assert.deepEqual(patch, written, `${step}: the views' scene numbers differ`);
            const turned = [written[RECORD_X] - last[RECORD_X], written[RECORD_Y] - last[RECORD_Y]];
            if (turn) assert.deepEqual(turned, turn, `${step}: the turn`);
            assert.ok(written.every(Number.isFinite), `${step}: scene numbers not finite: ${written}`);
            if (written.some((n, j) => n !== last[j])) changes++;
            last = written;
          }
          t.diagnostic(`${changes} of ${events} steps changed the scene`);
          assert.ok(changes >= events / 3, `seed ${stormSeed}: only ${changes} of ${events} steps changed the scene`);
        }).finally(() => t.diagnostic(`steps: ${ran.join(" ")}`));
      });
    }
  });
}
