// The page in headless Chromium: what it holds, the start picture, and the keys and drags
// that change it, checked with pixel probes on flat colour away from edges.
import assert from "node:assert/strict";
import { statSync } from "node:fs";
import { join } from "node:path";
import { after, before, describe, test } from "node:test";
import {
  HEIGHT,
  WIDTH,
  colourAt,
  openPage,
  pageDir,
  settledPicture,
  startBrowser,
  startServer,
} from "./browser_page.mjs";

const BODY = [102, 128, 153];
const CABIN = [179, 204, 230];
const TIRE = [0, 0, 0];
const WHITE = [255, 255, 255];

// SwiftShader's colours are within 1 of the exact 8-bit values.
const TOLERANCE = 2;

// One scene unit is 40 px across and 30 px tall; the world origin is at (400, 300).
const START_VIEW = [
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
const DRIVEN_FORWARD = [
  ["body, middle", [200, 311], BODY],
  ["body, front end", [125, 305], BODY],
  ["body, rear end", [275, 318], BODY],
  ["where the body started", [400, 311], WHITE],
  ["where the rear end was", [475, 318], WHITE],
];

// Turned 90 degrees about y: the front end faces the viewer, 1.5 units wide, centred on 400;
// the front wheels stand edge-on behind its sides.
const FRONT_ON = [
  ["front end, middle", [400, 311], BODY],
  ["front end, left", [380, 311], BODY],
  ["front end, right", [420, 311], BODY],
  ["cabin front slope", [400, 292], CABIN],
  ["left of the front end", [362, 302], WHITE],
  ["right of the front end", [438, 302], WHITE],
  ["tire edge-on, below the body", [430, 332], TIRE],
  ["where the side view's rear end was", [475, 318], WHITE],
];

function assertProbes(picture, probes) {
  const wrong = probes
    .map(([name, at, expected]) => ({ name, at, expected, seen: colourAt(picture, at) }))
    .filter(({ expected, seen }) => seen.some((c, i) => Math.abs(c - expected[i]) > TOLERANCE));
  assert.deepEqual(wrong, []);
}

async function drag(page, button, from, to) {
  await page.mouse.move(...from);
  await page.mouse.down({ button });
  await page.mouse.move(...to, { steps: 9 });
  await page.mouse.up({ button });
}

describe("the page in a browser", () => {
  let server;
  let browser;

  before(async () => {
    server = await startServer();
    browser = await startBrowser();
  });

  after(async () => {
    await browser?.close();
    server?.stop();
  });

  // Opens a fresh page, runs the steps, and fails on any page or console error on the way.
  async function withPage(steps, viewport) {
    const opened = await openPage(browser.context, server.url, viewport);
    try {
      await steps(opened);
      assert.deepEqual(opened.errors, []);
    } finally {
      await opened.page.close();
    }
  }

  test("holds one 800 x 600 canvas and a one-line hint, titled Car", async (t) => {
    await withPage(async ({ page, firstFrameMs }) => {
      assert.equal(await page.title(), "Car");
      const layout = await page.evaluate(() => ({
        canvases: [...document.querySelectorAll("canvas")].map((c) => {
          const box = c.getBoundingClientRect();
          return [c.width, c.height, box.x, box.y, box.width, box.height];
        }),
        text: document.body.innerText.trim(),
        elements: [...document.body.children].filter((e) => e.tagName !== "SCRIPT").length,
      }));
      assert.deepEqual(layout.canvases, [[WIDTH, HEIGHT, 0, 0, WIDTH, HEIGHT]]);
      assert.equal(layout.elements, 2);
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

  test("a turn of the mouse wheel leaves later drags working", async () => {
    await withPage(async ({ page }) => {
      await page.mouse.move(100, 100);
      await page.mouse.wheel(0, 100);
      await drag(page, "left", [400, 450], [490, 450]);
      assertProbes(await settledPicture(page), FRONT_ON);
    });
  });

  test("the arrow keys drive the car and never scroll the page", async () => {
    // A window smaller than the page, so that the arrows could scroll it both ways.
    await withPage(
      async ({ page }) => {
        const scrollable = await page.evaluate(
          () =>
            document.documentElement.scrollWidth > innerWidth &&
            document.documentElement.scrollHeight > innerHeight,
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
      { width: 640, height: 400 },
    );
  });
});
