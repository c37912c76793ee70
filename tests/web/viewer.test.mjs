// The page in headless Chromium on a desktop: what it holds, the start picture, and the keys
// and drags that change it, checked with pixel probes on flat colour away from edges.
import assert from "node:assert/strict";
import { statSync } from "node:fs";
import { join } from "node:path";
import { describe, test } from "node:test";
import { HEIGHT, WIDTH, openPage, pageDir, serverAndBrowser, settledPicture } from "./browser_page.mjs";
import { DRIVEN_FORWARD, FRONT_ON, START_VIEW, assertProbes } from "./views.mjs";

async function drag(page, button, from, to) {
  await page.mouse.move(...from);
  await page.mouse.down({ button });
  await page.mouse.move(...to, { steps: 9 });
  await page.mouse.up({ button });
}

describe("the page in a browser", () => {
  const shared = serverAndBrowser();

  // Opens a fresh page, runs the steps, and fails on any page or console error on the way.
  async function withPage(steps, viewport) {
    const opened = await openPage(shared.browser.context, shared.server.url, viewport);
    try {
      await steps(opened);
      assert.deepEqual(opened.errors, []);
    } finally {
      await opened.page.close();
    }
  }

  test("shows one 800 x 600 canvas and a one-line hint, titled Car", async (t) => {
    await withPage(async ({ page, firstFrameMs }) => {
      assert.equal(await page.title(), "Car");
      const layout = await page.evaluate(() => ({
        canvases: [...document.querySelectorAll("canvas")].map((c) => {
          const box = c.getBoundingClientRect();
          return [c.width, c.height, box.x, box.y, box.width, box.height];
        }),
        text: document.body.innerText.trim(),
        // What shows: the on-screen arrows are for touch screens.
        shown: [...document.querySelectorAll("canvas, p, button")].filter((e) => e.checkVisibility()).length,
      }));
      assert.deepEqual(layout.canvases, [[WIDTH, HEIGHT, 0, 0, WIDTH, HEIGHT]]);
      assert.equal(layout.shown, 2);
      assert.match(layout.text, /^Arrow keys[^\n]*drag[^\n]*$/i);

      const size = (name) => statSync(join(pageDir, name)).size;
      t.diagnostic(`page size: index.wasm ${size("index.wasm")} B + index.js ${size("index.js")} B`);
      t.diagnostic(`first frame drawn ${firstFrameMs.toFixed(0)} ms after navigation start`);
    });
  });

  test("starts with the car side-on in the middle", async () => {
    await withPage(async ({ page }) => assertProbes(await settledPicture(page), START_VIEW));
  });

  test("20 up arrows drive the body 200 px left", async () => {
    await withPage(async ({ page }) => {
      for (let i = 0; i < 20; i++) await page.keyboard.press("ArrowUp");
      assertProbes(await settledPicture(page), DRIVEN_FORWARD);
    });
  });

  for (const button of ["left", "middle", "right"]) {
    test(`a drag of 90 px right with the ${button} button shows the front end`, async () => {
      await withPage(async ({ page }) => {
        await drag(page, button, [400, 450], [490, 450]);
        assertProbes(await settledPicture(page), FRONT_ON);
      });
    });
  }

  // Each draw call costs the GL emulation an upload and a round of WebGL state, which on a slow
  // phone is most of a frame: ten polygons of body and cabin, and per wheel its hub bar and the
  // whole torus at once.
  test("a frame is 18 draw calls", async () => {
    await withPage(async ({ page }) => {
      const calls = await page.evaluate(async () => {
        const gl = Module.ctx;
        let draws = 0;
        for (const name of ["drawArrays", "drawElements"]) {
          const draw = gl[name].bind(gl);
          gl[name] = (...args) => {
            draws++;
            draw(...args);
          };
        }
        const drawn = new Promise((resolve) => {
          const after = Module.postMainLoop;
          Module.postMainLoop = () => {
            after();
            resolve();
          };
        });
        Module._glutPostRedisplay();
        await drawn;
        return draws;
      });
      assert.equal(calls, 18);
    });
  });

  test("a turn of the mouse wheel leaves later drags working", async () => {
    await withPage(async ({ page }) => {
      await page.mouse.move(100, 100);
      await page.mouse.wheel(0, 100);
      await drag(page, "left", [400, 450], [490, 450]);
      assertProbes(await settledPicture(page), FRONT_ON);
    });
  });

  test("the arrow keys drive the car and never scroll the page", async () => {
    // A window lower than the page, so that the arrows could scroll it. (The canvas shrinks
    // to the window's width: there is no sideways scroll to try.)
    await withPage(
      async ({ page }) => {
        const scrollable = await page.evaluate(
          () => document.documentElement.scrollHeight > innerHeight,
        );
        assert.ok(scrollable, "the page fits the window: the check would prove nothing");
        // Steering there and back, then 20 net steps forward.
        const presses = [
          ["ArrowLeft", 10],
          ["ArrowRight", 10],
          ["ArrowDown", 10],
          ["ArrowUp", 30],
        ];
        for (const [key, times] of presses) {
          for (let i = 0; i < times; i++) await page.keyboard.press(key);
          assert.deepEqual(await page.evaluate(() => [scrollX, scrollY]), [0, 0], key);
        }
        assertProbes(await settledPicture(page), DRIVEN_FORWARD);
      },
      { width: 440, height: 340 },
    );
  });
});
