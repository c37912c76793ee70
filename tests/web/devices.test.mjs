// The page on phones, tablets and a desktop: how it fits, how sharp it draws, touches and
// mouse drags at any devicePixelRatio, the on-screen arrows, and a visit with no network.
import assert from "node:assert/strict";
import { cpSync, mkdtempSync, readFileSync, rmSync, writeFileSync } from "node:fs";
import { tmpdir } from "node:os";
import { join } from "node:path";
import { after, before, describe, test } from "node:test";
import { PNG } from "pngjs";
import {
  DEVICES,
  DRIVE_BUTTONS,
  TURN_BUTTONS,
  canvasBox,
  openPage,
  pageDir,
  recordTurns,
  serverAndBrowser,
  settledPicture,
  startServer,
  touchScreen,
  waitForFirstFrame,
} from "./browser_page.mjs";
import { START_VIEW, TURNED_30, assertProbes } from "./views.mjs";

// The canvas's box for each screen: as wide as fits, 800 x 600 at most, 4:3, in the middle
// below the title; on a phone on its side, as high as the screen at its left.
const CANVAS_BOX = {
  desktop: { x: 240, width: 800, height: 600 },
  phone: { x: 0, width: 390, height: 292.5 },
  "phone on its side": { x: 0, y: 0, width: 520, height: 390 },
  tablet: { x: 10, width: 800, height: 600 },
};
const TOUCH_SCREENS = ["phone", "tablet"];

// The server and browser every test shares, started once.
let shared;

// Opens a fresh page on `device`, runs the steps, and fails on any page error, console error
// or warning on the way; the page must end neither scrolled nor zoomed.
async function onDevice(device, steps, options = {}) {
  const context = await shared.browser.newContext({ ...DEVICES[device], ...options });
  const opened = await openPage(context, shared.server.url);
  try {
    await steps(opened);
    assert.deepEqual(opened.errors, []);
    const view = await opened.page.evaluate(() => [scrollX, scrollY, visualViewport.scale]);
    assert.deepEqual(view, [0, 0, 1], "scrolled or zoomed");
  } finally {
    await context.close();
  }
}

// The picture on a fresh page of `device` after `steps`.
async function pictureAfter(device, steps) {
  let picture;
  await onDevice(device, async (opened) => {
    await steps(opened);
    picture = await settledPicture(opened.page);
  });
  return picture;
}

function assertSamePicture(seen, expected, what) {
  assert.equal(seen.width, expected.width, what);
  assert.ok(seen.data.equals(expected.data), `${what}: the pictures differ`);
}

// A drag of one finger `dx` CSS px right across the lower part of the canvas, in 5 px moves.
async function fingerDrag(page, dx, { id = 0, others = {} } = {}) {
  const box = await canvasBox(page);
  const at = (x) => ({ ...others, [id]: [box.x + 20 + x, box.y + box.height - 20] });
  const touches = await touchScreen(page);
  await touches.start(at(0));
  for (let x = 5; x <= dx; x += 5) await touches.move(at(x));
  await touches.lift(others);
}

async function mouseDrag(page, dx) {
  const box = await canvasBox(page);
  const y = box.y + box.height - 20;
  await page.mouse.move(box.x + 20, y);
  await page.mouse.down();
  await page.mouse.move(box.x + 20 + dx, y, { steps: 6 });
  await page.mouse.up();
}

async function buttonCentre(page, name) {
  const box = await page.getByRole("button", { name }).boundingBox();
  return [box.x + box.width / 2, box.y + box.height / 2];
}

// Records, in the page, when it handled each press and release of an on-screen arrow and each
// key press the arrows sent. On a busy machine the browser can hand the page a lift a second
// after the finger's own event time, and a tap then rightly repeats: the tests judge each hold
// as long as the page saw it.
function recordArrows(page) {
  return page.evaluate(() => {
    window.arrows = [];
    const note = (what) => (event) => {
      if (what !== "press" && !event.target.closest?.("#pad")) return;
      if (what === "press" && event.isTrusted) return; // the test's own keyboard
      window.arrows.push([what, performance.now()]);
    };
    window.addEventListener("pointerdown", note("down"), true);
    window.addEventListener("pointerup", note("up"), true);
    window.addEventListener("pointercancel", note("up"), true);
    window.addEventListener("keydown", note("press"), true);
  });
}

// Each hold of an arrow the page saw, once it has seen every lift: how long it lasted (ms) and
// how many presses it sent.
async function arrowHolds(page) {
  const lifted = () => {
    const count = (what) => window.arrows.filter(([w]) => w === what).length;
    return count("down") === count("up") && window.arrows;
  };
  const events = await (await page.waitForFunction(lifted)).jsonValue();
  const holds = [];
  for (const [what, at] of events) {
    if (what === "down") holds.push({ from: at, ms: null, presses: 0 });
    const hold = holds.at(-1);
    if (what === "up") hold.ms = at - hold.from;
    if (what === "press") hold.presses++;
  }
  return holds.map(({ ms, presses }) => ({ ms, presses }));
}

// One press at the touch, then one 0.4 s later and every 0.1 s after while held: never more,
// and none missing beyond what late timers on a busy machine can lose.
function assertPressesFitHolds(holds) {
  for (const { ms, presses } of holds) {
    const seen = ms + 1; // the clock's rounding
    const most = seen < 400 ? 1 : 2 + Math.floor((seen - 400) / 100);
    assert.ok(presses >= 1 && presses <= most, `${presses} presses in a hold of ${Math.round(ms)} ms`);
  }
}

describe("the page on phones, tablets and a desktop", () => {
  shared = serverAndBrowser();

  describe("fits the screen at its own resolution", () => {
    for (const device of Object.keys(DEVICES)) {
      test(`${device}: no sideways scroll, a 4:3 box, a buffer of box times ratio, the start view`, async () => {
        await onDevice(device, async ({ page }) => {
          const layout = await page.evaluate(() => ({
            overflow: document.documentElement.scrollWidth - innerWidth,
            buffer: [document.getElementById("canvas").width, document.getElementById("canvas").height],
            ratio: devicePixelRatio,
          }));
          assert.equal(layout.overflow, 0);
          const box = await canvasBox(page);
          const title = await page.locator("header").boundingBox();
          const below = device === "phone on its side" ? {} : { y: title.y + title.height };
          assert.deepEqual(box, { ...below, ...CANVAS_BOX[device] });
          const [width, height] = layout.buffer;
          assert.ok(Math.abs(width - box.width * layout.ratio) <= 1, `buffer width ${width}`);
          assert.ok(Math.abs(height - box.height * layout.ratio) <= 1, `buffer height ${height}`);
          assertProbes(await settledPicture(page), START_VIEW);
        });
      });
    }

    // Someone who opens a shared link on a phone sees what the page is, where to go on, the car
    // and both pads, without scrolling.
    test("phone: the title, the sentence, the links, the canvas and both pads in view", async () => {
      await onDevice("phone", async ({ page }) => {
        const { width, height } = DEVICES.phone.viewport;
        for (const [what, locator] of [
          ["the title", page.getByRole("heading", { name: "Car", level: 1 })],
          ["the sentence", page.locator("#about")],
          ["the links", page.getByRole("navigation", { name: "Ways on" })],
          ["the canvas", page.locator("canvas")],
          ["Turn view", page.getByRole("group", { name: "Turn view" })],
          ["Drive", page.getByRole("group", { name: "Drive" })],
        ]) {
          assert.ok(await locator.isVisible(), `${what}: hidden`);
          const box = await locator.boundingBox();
          const inView = box.x >= 0 && box.y >= 0 && box.x + box.width <= width && box.y + box.height <= height;
          assert.ok(inView, `${what}: at ${JSON.stringify(box)}`);
        }
      });
    });

    test("turning the phone resizes the buffer and redraws the picture", async () => {
      await onDevice("phone", async ({ page }) => {
        await page.setViewportSize(DEVICES["phone on its side"].viewport);
        await page.waitForFunction(() => document.getElementById("canvas").height === 390 * 3);
        assert.equal(await page.evaluate(() => document.getElementById("canvas").width), 520 * 3);
        assertProbes(await settledPicture(page), START_VIEW);
      });
    });
  });

  describe("a drag turns the view one degree per CSS pixel", () => {
    for (const device of TOUCH_SCREENS) {
      test(`${device}: a finger 30 px right turns it 30 degrees, 360 px a full turn`, async () => {
        await onDevice(device, async ({ page }) => {
          await fingerDrag(page, 30);
          assertProbes(await settledPicture(page), TURNED_30);
        });
        const start = await pictureAfter(device, async () => {});
        const turnedRound = await pictureAfter(device, ({ page }) => fingerDrag(page, 360));
        assertSamePicture(turnedRound, start, "after a full turn");
      });
    }

    test("a mouse at devicePixelRatio 2: 30 px right turns it 30 degrees", async () => {
      await onDevice(
        "desktop",
        async ({ page }) => {
          assert.equal(await page.evaluate(() => document.getElementById("canvas").width), 1600);
          await mouseDrag(page, 30);
          assertProbes(await settledPicture(page), TURNED_30);
        },
        { deviceScaleFactor: 2 },
      );
    });

    test("a second finger, a pinch and a cancelled touch leave the next drag exact", async () => {
      const turned30 = await pictureAfter("phone", ({ page }) => fingerDrag(page, 30));
      // A second finger goes down, moves apart from the first (a pinch) and lifts mid-drag.
      const withSecondFinger = await pictureAfter("phone", async ({ page }) => {
        const box = await canvasBox(page);
        const y = box.y + 40;
        const touches = await touchScreen(page);
        await touches.start({ 0: [100, y] });
        await touches.move({ 0: [115, y] });
        await touches.start({ 0: [115, y], 1: [200, y] });
        await touches.move({ 0: [115, y], 1: [300, y + 100] });
        await touches.lift({ 0: [115, y] });
        await touches.move({ 0: [130, y] });
        await touches.lift();
      });
      assertSamePicture(withSecondFinger, turned30, "with a second finger");
      // 15 px and a cancel, then 15 px: the cancel ends the first drag where the finger was.
      const afterCancel = await pictureAfter("phone", async ({ page }) => {
        const box = await canvasBox(page);
        const y = box.y + 40;
        const touches = await touchScreen(page);
        await touches.start({ 0: [100, y] });
        for (const x of [105, 110, 115]) await touches.move({ 0: [x, y] });
        await touches.cancel();
        await fingerDrag(page, 15);
      });
      assertSamePicture(afterCancel, turned30, "after a cancelled touch");
    });

    test("a finger on the canvas never scrolls a page that could scroll", async () => {
      await onDevice(
        "phone",
        async ({ page }) => {
          const scrollable = await page.evaluate(() => document.documentElement.scrollHeight > innerHeight);
          assert.ok(scrollable, "the page fits the screen: the check would prove nothing");
          const box = await canvasBox(page);
          const touches = await touchScreen(page);
          await touches.start({ 0: [200, box.y + box.height - 10] });
          for (let y = box.height - 20; y > 20; y -= 20) await touches.move({ 0: [200, box.y + y] });
          await touches.lift();
        },
        { viewport: { width: 390, height: 400 } },
      );
    });
  });

  describe("the on-screen arrows", () => {
    test("drive and turn the view on every screen; named for what they do, big enough for a thumb", async () => {
      await onDevice("desktop", async ({ page }) => {
        const names = await page.getByRole("button").evaluateAll((buttons) => buttons.map((b) => b.ariaLabel));
        assert.deepEqual(names, [...TURN_BUTTONS, ...DRIVE_BUTTONS]);
        for (const name of names) {
          const box = await page.getByRole("button", { name }).boundingBox();
          assert.ok(box.width >= 24 && box.height >= 24, `${name}: ${box.width} x ${box.height}`);
        }
        assert.match(await page.innerText("body"), /arrow keys/i);
      });
      await onDevice("phone", async ({ page }) => {
        for (const name of [...DRIVE_BUTTONS, ...TURN_BUTTONS]) {
          const box = await page.getByRole("button", { name }).boundingBox();
          assert.ok(box.width >= 44 && box.height >= 44, `${name}: ${box.width} x ${box.height}`);
          assert.ok(box.x >= 0 && box.x + box.width <= 390 && box.y + box.height <= 844, name);
        }
        assert.match(await page.innerText("body"), /buttons[^\n]*finger/i);
      });
    });

    for (const device of ["phone", "tablet", "phone on its side"]) {
      test(`${device}: on screen, off the canvas, where a thumb reaches; the canvas's edge shows`, async () => {
        await onDevice(device, async ({ page }) => {
          const { width, height } = DEVICES[device].viewport;
          const canvas = await canvasBox(page);
          const [right, bottom] = [canvas.x + canvas.width, canvas.y + canvas.height];
          for (const name of ["Turn view", "Drive"]) {
            const pad = await page.getByRole("group", { name }).boundingBox();
            const inside = pad.x >= 0 && pad.y >= 0 && pad.x + pad.width <= width && pad.y + pad.height <= height;
            assert.ok(inside, `${name}: off screen`);
            assert.ok(height > width ? pad.y >= bottom : pad.x >= right, `${name}: over the canvas`);
          }
          // Driving, the lower pad, at the bottom.
          const pad = await page.getByRole("group", { name: "Drive" }).boundingBox();
          if (height > width) {
            assert.ok(height - (pad.y + pad.height) <= 16, `${height - (pad.y + pad.height)} px above the bottom`);
          }
          // The page just outside the canvas's bottom right corner, below it or beside it.
          const outside = height > width ? { x: right - 2, y: bottom + 1 } : { x: right + 1, y: bottom - 2 };
          const shot = PNG.sync.read(await page.screenshot({ clip: { ...outside, width: 1, height: 1 }, scale: "css" }));
          const white = [...shot.data.subarray(0, 3)].every((c) => c > 240);
          assert.ok(!white, `the page around the canvas is white as the canvas: ${[...shot.data.subarray(0, 3)]}`);
        });
      });
    }

    test("20 taps on Forward are 20 up arrows", async () => {
      let holds;
      const taps = await pictureAfter("phone", async ({ page }) => {
        await recordArrows(page);
        const forward = await buttonCentre(page, "Forward");
        const touches = await touchScreen(page);
        for (let i = 0; i < 20; i++) {
          await touches.start({ 0: forward });
          await touches.lift();
        }
        holds = await arrowHolds(page);
        // Taps never take focus or select text.
        assert.equal(await page.evaluate(() => document.activeElement === document.body), true);
        assert.equal(await page.evaluate(() => getSelection().toString()), "");
      });
      assert.equal(holds.length, 20);
      assertPressesFitHolds(holds);
      const short = holds.filter(({ ms }) => ms < 400);
      assert.ok(short.length >= 10, `only ${short.length} of 20 taps reached the page as taps`);
      const presses = holds.reduce((sum, hold) => sum + hold.presses, 0);
      const keys = await pictureAfter("phone", async ({ page }) => {
        for (let i = 0; i < presses; i++) await page.keyboard.press("ArrowUp");
      });
      assertSamePicture(taps, keys, "taps against keys");
    });

    test("holding Steer left for a second repeats about ten times a second", async () => {
      let hold;
      const held = await pictureAfter("phone", async ({ page }) => {
        await recordArrows(page);
        const touches = await touchScreen(page);
        await touches.start({ 0: await buttonCentre(page, "Steer left") });
        // A second from when the page saw the finger come down.
        await page.waitForFunction(() => window.arrows.length > 0);
        await page.waitForTimeout(1000);
        await touches.lift();
        [hold] = await arrowHolds(page);
        // Steering shows once the car moves.
        for (let i = 0; i < 20; i++) await page.keyboard.press("ArrowUp");
      });
      assertPressesFitHolds([hold]);
      // Eight presses in the second if every timer is on time; a busy machine delays some.
      assert.ok(hold.presses >= 5, `${hold.presses} presses in ${Math.round(hold.ms)} ms`);
      const keys = await pictureAfter("phone", async ({ page }) => {
        for (let i = 0; i < hold.presses; i++) await page.keyboard.press("ArrowLeft");
        for (let i = 0; i < 20; i++) await page.keyboard.press("ArrowUp");
      });
      assertSamePicture(held, keys, "holding against keys");
    });

    test("a tap on Forward during a finger drag leaves the drag exact", async () => {
      let holds;
      const seen = await pictureAfter("phone", async ({ page }) => {
        await recordArrows(page);
        const box = await canvasBox(page);
        const y = box.y + 40;
        const forward = await buttonCentre(page, "Forward");
        const touches = await touchScreen(page);
        await touches.start({ 0: [100, y] });
        await touches.move({ 0: [115, y] });
        await touches.start({ 0: [115, y], 1: forward });
        await touches.lift({ 0: [115, y] });
        await touches.move({ 0: [130, y] });
        await touches.lift();
        holds = await arrowHolds(page);
      });
      assert.equal(holds.length, 1);
      assertPressesFitHolds(holds);
      const expected = await pictureAfter("phone", async ({ page }) => {
        for (let i = 0; i < holds[0].presses; i++) await page.keyboard.press("ArrowUp");
        await fingerDrag(page, 30);
      });
      assertSamePicture(seen, expected, "tap during a drag");
    });
  });

  describe("the Turn view buttons with a finger on the canvas", () => {
    // A finger dragging 30 px on the canvas, with a second finger on Turn view right: tapping
    // it during the drag, or holding it from before the drag to after. Each turn adds to the
    // drag, which goes on exact: a finger drag as long as both together gives the same picture.
    for (const hold of [false, true]) {
      test(`${hold ? "held from before to after" : "tapped during"} a finger drag`, async () => {
        let turns;
        const seen = await pictureAfter("phone", async ({ page }) => {
          await page.evaluate(recordTurns);
          const y = (await canvasBox(page)).y + 40;
          const turn = { 1: await buttonCentre(page, "View from further left") };
          const touches = await touchScreen(page);
          if (hold) await touches.start(turn);
          const drag = (x) => ({ ...(hold ? turn : {}), 0: [x, y] });
          await touches.start(drag(100));
          await touches.move(drag(115));
          if (!hold) {
            await touches.start({ ...drag(115), ...turn });
            await touches.lift(drag(115));
          }
          await touches.move(drag(130));
          await touches.lift(hold ? turn : {});
          if (hold) await touches.lift();
          turns = await page.evaluate(() => window.turns);
        });
        assert.ok(turns.length >= 1 && turns.every((t) => t.join() === "15,0"), JSON.stringify(turns));
        const expected = await pictureAfter("phone", ({ page }) => fingerDrag(page, 30 + 15 * turns.length));
        assertSamePicture(seen, expected, "a drag of 30 px with the turns against one drag");
      });
    }
  });

  describe("offline", () => {
    // Copies of the page on a server of their own, which a test can stop and change: one at the
    // root, another under second/.
    let copy;
    before(() => {
      copy = mkdtempSync(join(tmpdir(), "car-page-"));
      cpSync(pageDir, copy, { recursive: true });
      cpSync(pageDir, join(copy, "second"), { recursive: true });
    });
    after(() => rmSync(copy, { recursive: true, force: true }));

    // The page's text, and the caches on its host, once its service worker has taken over.
    const kept = (page) =>
      page.evaluate(async () => {
        await navigator.serviceWorker.ready;
        return { hint: document.getElementById("hint").innerText, caches: await caches.keys() };
      });

    // A new build of the page at the root: another hint and page.js, and so another service
    // worker with another cache name.
    let builds = 0;
    function newBuild() {
      builds++;
      const edit = (name, change) => writeFileSync(join(copy, name), change(readFileSync(join(copy, name), "utf8")));
      edit("index.html", (html) => html.replace(/Drag (a|build \d+'s) finger/, `Drag build ${builds}'s finger`));
      edit("page.js", (js) => `${js}// build ${builds}\n`);
      edit("sw.js", (sw) => sw.replace(/[0-9a-f]{16}/, `${builds}`.padStart(16, "0")));
    }

    // Waits for the new service worker, which installs in the background, to drop `old`.
    async function cacheReplaced(page, old) {
      const deadline = Date.now() + 20000;
      while ((await page.evaluate(() => caches.keys())).includes(old)) {
        assert.ok(Date.now() < deadline, "the new build's cache never replaced the old one");
        await page.waitForTimeout(200);
      }
    }

    async function drawsOffline(page, hint) {
      await page.reload();
      await waitForFirstFrame(page);
      assertProbes(await settledPicture(page), START_VIEW);
      assert.match((await kept(page)).hint, hint);
    }

    test("after one visit the page draws with no network; a new build replaces its own cache only", async () => {
      const context = await shared.browser.newContext(DEVICES.phone);
      let local = await startServer(copy);
      try {
        const { page } = await openPage(context, local.url);
        const [ours, ...others] = (await kept(page)).caches;
        assert.deepEqual(others, []);
        // Another copy of the page under another path, and another app, on the same host.
        const { page: second } = await openPage(context, `${local.url}second/`);
        await kept(second);
        await second.evaluate(() => caches.open("another app"));
        const before = await page.evaluate(() => caches.keys());

        await local.stop();
        await context.setOffline(true);
        await drawsOffline(page, /Drag a finger/);

        newBuild();
        await context.setOffline(false);
        local = await startServer(copy, local.port);
        await page.reload();
        await waitForFirstFrame(page);
        assert.match((await kept(page)).hint, /Drag build \d+'s finger/);
        await cacheReplaced(page, ours);
        const after = await page.evaluate(() => caches.keys());
        assert.deepEqual(
          after.filter((name) => before.includes(name)).sort(),
          before.filter((name) => name !== ours).sort(),
          "the caches of the page's other copy and of other apps",
        );

        await local.stop();
        await context.setOffline(true);
        await drawsOffline(page, /Drag build \d+'s finger/);
        await drawsOffline(second, /Drag a finger/);
      } finally {
        await local.stop();
        await context.close();
      }
    });

    test("a host's max-age keeps no file of the old build in the new cache", async () => {
      const context = await shared.browser.newContext(DEVICES.phone);
      const local = await startServer(copy, 0, ["--max-age", "600"]);
      try {
        const { page } = await openPage(context, local.url);
        const [ours] = (await kept(page)).caches;
        newBuild();
        await page.reload();
        await waitForFirstFrame(page);
        await cacheReplaced(page, ours);
        // Each file kept, as a SHA-256 of what the cache holds and of what the host serves now.
        const files = await page.evaluate(async () => {
          const hex = async (response) =>
            [...new Uint8Array(await crypto.subtle.digest("SHA-256", await response.arrayBuffer()))]
              .map((b) => b.toString(16).padStart(2, "0"))
              .join("");
          const [name, ...others] = await caches.keys();
          if (others.length) throw new Error(`more than one cache: ${[name, ...others]}`);
          const cache = await caches.open(name);
          return Promise.all(
            (await cache.keys()).map(async (request) => {
              const now = await fetch(request.url, { cache: "no-store" });
              return { file: request.url, kept: await hex(await cache.match(request)), served: await hex(now) };
            }),
          );
        });
        assert.ok(files.length >= 6, JSON.stringify(files));
        for (const { file, kept, served } of files) assert.equal(kept, served, file);
      } finally {
        await local.stop();
        await context.close();
      }
    });

    test("offline, the manifest's icons load, and anything else fails cleanly", async () => {
      const context = await shared.browser.newContext(DEVICES.phone);
      const local = await startServer(copy);
      try {
        const { page, errors } = await openPage(context, local.url);
        await kept(page);
        await local.stop();
        await context.setOffline(true);
        await page.reload();
        await waitForFirstFrame(page);
        // What the page said while starting again is the start's own.
        errors.length = 0;
        const icons = await page.evaluate(async () => {
          const manifest = await (await fetch("manifest.webmanifest")).json();
          return Promise.all(
            manifest.icons.map(async ({ src }) => (await fetch(src)).headers.get("Content-Type")),
          );
        });
        assert.deepEqual(icons, ["image/png", "image/png", "image/png"]);
        assert.deepEqual(errors, []);
        const other = await page.evaluate(() => fetch("not-kept.png").then((r) => r.status, (e) => e.name));
        assert.equal(other, "TypeError");
        // As with no service worker: the file did not load, and nothing else went wrong.
        assert.deepEqual(errors.filter((error) => !error.startsWith("Failed to load resource:")), []);
      } finally {
        await local.stop();
        await context.close();
      }
    });
  });
});
