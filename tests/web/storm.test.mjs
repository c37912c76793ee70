// Storms of random input on the page in each browser engine: mouse buttons and moves, the
// wheel, fingers, the drive and Turn view buttons, arrow keys held, focus lost, the page
// hidden, the window resized and turned, the WebGL context lost and given back, all mixed.
// Each storm is seeded and prints its seed (STORM_SEED=N replays one; STORMS sets how many run
// per engine and STORM_EVENTS how long each is). After each, with everything let go: no page
// error, console error or WebGL warning; the car drawn and answering; drags of +30 then -30 px,
// and of 360 px, and Forward then Back, each giving the picture back exactly; the scene numbers
// finite, and the same as the handlers built for the host give for the calls the page's
// handlers received.
import assert from "node:assert/strict";
import { execFileSync } from "node:child_process";
import { existsSync } from "node:fs";
import { join } from "node:path";
import { after, before, describe, test } from "node:test";
import { fileURLToPath } from "node:url";
import { ENGINES, launch, serveRecordedPage, waitFor } from "./engines.mjs";
import { generator } from "./seeded_random.mjs";
import { assertSamePicture, drag, settledPicture } from "./views.mjs";

// A laptop's window: the canvas 800 x 600 below the title.
const DESKTOP = { width: 1280, height: 800 };
const EVENTS = Number(process.env.STORM_EVENTS ?? 60);
const STORMS = Number(process.env.STORMS ?? 1);
const replayer =
  process.env.CAR_SCENE_REPLAY ?? fileURLToPath(new URL("../../build/test/tests/scene_replay", import.meta.url));

// The same kinds of event in every engine, but for what its driver cannot send (an engine
// without `touch` has no `fingers` either), with why.
const LEFT_OUT_WITHOUT = {
  touch: "fingers: WebKitGTK's driver turns touch actions into mouse events",
  fingers: "a second finger and touch cancels: puppeteer's touchscreen in Firefox has one finger and no cancel",
};

// Seeds that once found a fault, each replayed in every engine, by name.
const REGRESSIONS = {
  // A frame drawn between the context's restore and the page's reload, on the new context with
  // the lost one's objects: Chromium logged INVALID_OPERATION for each of its calls.
  "a frame between the restore of the context and the reload": 1911143547,
  // Two buttons pressed before any move, at the pointer's start above the canvas: WebKitGTK's
  // menu opened and the arrow pressed next never reached the page.
  "a right press before the pointer has moved": 306395714,
};

const BUTTONS = ["left", "middle", "right"];
const KEYS = ["ArrowUp", "ArrowDown", "ArrowLeft", "ArrowRight"];
// The page's on-screen buttons, by accessible name.
const PAGE_BUTTONS = ["Forward", "Back", "Steer left", "Steer right"].concat(
  ["further left", "higher", "lower", "further right"].map((way) => `View from ${way}`),
);

// In the page: records every call of the program's key, mouse and motion callbacks, as
// event_stream.h's bytes, by putting a recorder in front of each in Emscripten's function table.
// A Turn view button changes the scene past the handlers: the record is cut there into
// segments, each with the scene numbers it starts from and, but for the last, ends at. The
// host's handlers start with no button held, so only a segment that starts so can be replayed.
function recordHandlerCalls() {
  /* global GLUT, getWasmTableEntry, wasmTableMirror */
  window.handlerSegments = [];
  const begin = () => handlerSegments.push({ start: sceneNumbersInPage(), calls: [], free: GLUT.buttons === 0 });
  const record = (pointer, event) => {
    const handler = getWasmTableEntry(pointer);
    wasmTableMirror[pointer] = (...args) => {
      handlerSegments.at(-1).calls.push(...event(...args.map((n) => n | 0)));
      return handler(...args);
    };
  };
  // Emscripten's export puts the real function in its own place at the first call: put the
  // recorder back after each.
  const turn = Module._TurnView;
  const recordTurn = (dx, dy) => {
    handlerSegments.at(-1).end = sceneNumbersInPage();
    turn(dx, dy);
    Module._TurnView = recordTurn;
    begin();
  };
  Module._TurnView = recordTurn;
  begin();
  // Opcodes: 0 key, 1 press, 2 release, 3 motion; then little-endian ints.
  const bytes = (opcode, ...ints) => [opcode, ...ints.flatMap((n) => [0, 8, 16, 24].map((s) => (n >>> s) & 255))];
  record(GLUT.specialFunc, (key, x, y) => bytes(0, key, x, y));
  record(GLUT.mouseFunc, (button, state, x, y) => bytes(state === 0 ? 1 : 2, button, x, y));
  record(GLUT.motionFunc, (x, y) => bytes(3, x, y));
}

function sceneNumbersInPage() {
  Module._StoreSceneState();
  const at = Module._SceneStateNumbers() / Float64Array.BYTES_PER_ELEMENT;
  return [...Module.HEAPF64.subarray(at, at + 11)];
}

for (const [engine, can] of Object.entries(ENGINES)) {
  describe(`storms on the page in ${engine}`, () => {
    let server;
    let browser;
    before(async () => {
      server = await serveRecordedPage();
      browser = await launch(engine);
    });
    after(async () => {
      await browser?.close();
      await server?.stop();
    });

    async function storm(t, seed) {
      t.diagnostic(`seed ${seed} (STORM_SEED=${seed} replays it)`);
      const leftOut = Object.entries(LEFT_OUT_WITHOUT).find(([what]) => !can[what]);
      if (leftOut) t.diagnostic(`left out in ${engine}: ${leftOut[1]}`);
      const random = generator(seed);
      const tab = await browser.open(server.url, { ...DESKTOP, touch: can.touch });
      const errors = [];
      // What the page's handlers were called with since the page started, against the host's.
      const sameOnHost = async () => {
        const [segments, now] = await tab.evaluate(() => [window.handlerSegments, sceneNumbersInPage()]);
        assert.ok(now.every(Number.isFinite), `scene numbers not finite: ${now}`);
        if (!existsSync(replayer)) return t.diagnostic(`no ${replayer}: the host comparison is left out`);
        const free = segments.filter((segment) => segment.free);
        t.diagnostic(`${free.length} of ${segments.length} stretches between turns replayed on the host`);
        for (const { start, calls, end = now } of free) {
          const out = execFileSync(replayer, start.map(String), { input: Buffer.from(calls) });
          assert.deepEqual(out.toString().trim().split("\n").map(Number), end, "the host's handlers differ");
        }
      };
      const pageStarted = async () => {
        await waitFor(tab, "a frame", () => window.Module?.firstFrameMs);
        await tab.evaluate(`window.sceneNumbersInPage = ${sceneNumbersInPage}`);
        await tab.evaluate(recordHandlerCalls);
      };
      const ran = [];
      const held = new Set();
      const keys = new Set();
      const click = (name) => tab.evaluate((n) => document.querySelector(`[aria-label="${n}"]`).click(), name);
      try {
        await pageStarted();
        const fingers = new Map();
        let lost = false;
        let away = false;
        // Buttons let go while the page was hidden: the page holds them until their next press.
        const lostReleases = new Set();
        let size = [DESKTOP.width, DESKTOP.height];
        // Pointer and fingers land on the part of the canvas in view: elsewhere the browser's own
        // menu and pinch zoom answer, which are no part of the page. The wheel scrolls a page
        // taller than its window, so the part is measured again after each turn.
        const canvasBox = () =>
          tab.evaluate(() => {
            const { left, top, right, bottom } = document.getElementById("canvas").getBoundingClientRect();
            const [x, y] = [Math.max(left, 0), Math.max(top, 0)];
            return { x, y, width: Math.min(right, innerWidth) - x, height: Math.min(bottom, innerHeight) - y };
          });
        let box = await canvasBox();
        const at = () => [box.x + random.below(box.width), box.y + random.below(box.height)];
        // The pointer starts in the window's corner, above the canvas: a right press there would
        // open the browser's menu, which takes the keys (WebKitGTK's does).
        await tab.mouseMove(box.x + box.width / 2, box.y + box.height / 2);
        const points = () => [...fingers].map(([id, [x, y]]) => [x, y, id]);
        const steps = {
          move: () => tab.mouseMove(...at()),
          down: async () => {
            const button = random.pick(BUTTONS.filter((b) => !held.has(b)));
            if (!button) return;
            held.add(button);
            lostReleases.delete(button);
            await tab.mouseDown(button);
          },
          up: async () => {
            const button = random.pick([...held]);
            if (!button) return;
            held.delete(button);
            if (away) lostReleases.add(button);
            await tab.mouseUp(button);
          },
          wheel: async () => {
            await tab.wheel(...at(), random.pick([-100, 100]));
            box = await canvasBox();
          },
          button: () => click(random.pick(PAGE_BUTTONS)),
          // A key held is not pressed again: a keyboard's own repeat is no event a driver sends
          // alike in every engine (X, with no auto-repeat, drops it).
          keyDown: async () => {
            const key = random.pick(KEYS.filter((k) => !keys.has(k)));
            if (!key) return;
            keys.add(key);
            await tab.keyDown(key);
          },
          keyUp: async () => {
            const key = random.pick([...keys]);
            if (!key) return;
            keys.delete(key);
            await tab.keyUp(key);
          },
          blur: () => tab.evaluate(() => window.dispatchEvent(new Event("blur"))),
          // Hidden: the pointer's events reach nothing of the page until it is shown again.
          hide: async () => {
            away = !away;
            await tab.evaluate((hidden) => {
              window.pointerAway = hidden;
              Object.defineProperty(document, "visibilityState", { value: hidden ? "hidden" : "visible", configurable: true });
              document.dispatchEvent(new Event("visibilitychange"));
            }, away);
          },
          resize: async () => {
            size = random.pick([[DESKTOP.width, DESKTOP.height], [size[1], size[0]], [390 + random.below(400), 390 + random.below(400)]]);
            await tab.resize(...size);
            box = await canvasBox();
            // A pointer left outside a smaller window presses on nothing of the page.
            await tab.mouseMove(...at());
          },
          context: async () => {
            if (!lost) {
              lost = true;
              return tab.evaluate(() => {
                window.contextLoss = Module.canvas.getContext("webgl").getExtension("WEBGL_lose_context");
                window.contextLoss.loseContext();
              });
            }
            // The page reloads once the context is back: what came before is checked now.
            lost = false;
            await waitFor(tab, "the loss of the context", () => Module.ctx.isContextLost());
            errors.push(...(await tab.evaluate(() => window.recordedErrors)));
            await sameOnHost();
            await tab.evaluate(() => {
              window.beforeReload = true;
              window.contextLoss.restoreContext();
            });
            await waitFor(tab, "the page after the reload", () => !window.beforeReload && window.Module?.firstFrameMs);
            // Buttons held stay held: the new page never saw them pressed.
            away = false;
            lostReleases.clear();
            await pageStarted();
            box = await canvasBox();
          },
        };
        if (can.touch) {
          steps.finger = async () => {
            if (!can.fingers) {
              if (!fingers.size) {
                fingers.set(0, at());
                return tab.touchStart(...fingers.get(0));
              }
              if (random.below(3)) {
                fingers.set(0, at());
                return tab.touchMove(...fingers.get(0));
              }
              fingers.clear();
              return tab.touchEnd();
            }
            const id = random.below(2);
            if (!fingers.has(id)) {
              fingers.set(id, at());
              return tab.fingers("touchStart", points());
            }
            const kind = random.pick(["touchMove", "touchMove", "touchEnd", "touchCancel"]);
            if (kind === "touchMove") {
              fingers.set(id, at());
              return tab.fingers(kind, points());
            }
            if (kind === "touchCancel") {
              fingers.clear();
              return tab.fingers(kind, []);
            }
            // One finger of several up is a move of the others.
            fingers.delete(id);
            return tab.fingers(fingers.size ? "touchMove" : "touchEnd", points());
          };
        }
        // Moves and presses come most often, as from a hand.
        const kinds = Object.keys(steps).flatMap((k) => (["move", "down", "up", "finger"].includes(k) ? [k, k, k] : [k]));
        for (let i = 0; i < EVENTS; i++) {
          const kind = random.pick(kinds);
          ran.push(kind);
          await steps[kind]();
        }

        // Everything let go, the window back at its size, the context back.
        if (away) await steps.hide();
        for (const button of lostReleases) {
          await tab.mouseDown(button);
          await tab.mouseUp(button);
        }
        for (const button of held) await tab.mouseUp(button);
        held.clear();
        for (const key of keys) await tab.keyUp(key);
        keys.clear();
        if (fingers.size) await (can.fingers ? tab.fingers("touchEnd", []) : tab.touchEnd());
        if (lost) await steps.context();
        await tab.resize(DESKTOP.width, DESKTOP.height);
        await tab.evaluate(() => scrollTo(0, 0));
        await waitFor(tab, "the canvas at its size", () => Module.canvas.width === 800);
        // Forward and Back once: a move lines the body up with a steered heading.
        await click("Forward");
        await click("Back");

        // The car is there, and every way back gives its picture back.
        const seen = await settledPicture(tab);
        assert.ok(seen.data.some((value, i) => i % 4 !== 3 && value !== 255), "the picture is blank");
        await drag(tab, 30);
        const turned = await settledPicture(tab);
        assert.ok(!turned.data.equals(seen.data), "a drag of 30 px changed nothing: the picture is frozen");
        await drag(tab, -30);
        assertSamePicture(await settledPicture(tab), seen, "+30 then -30 px");
        await drag(tab, 360);
        assertSamePicture(await settledPicture(tab), seen, "360 px");
        await click("Forward");
        await click("Back");
        assertSamePicture(await settledPicture(tab), seen, "Forward then Back");
        await sameOnHost();
        errors.push(...(await tab.evaluate(() => window.recordedErrors)));
        assert.deepEqual(errors, [], "page or console errors");
        assert.deepEqual(await tab.webglWarnings(), [], "WebGL errors or warnings from the browser");
      } finally {
        t.diagnostic(`events: ${ran.join(" ")}`);
        // WebKit's pointer and keyboard are the X server's, shared by every test: nothing left
        // pressed.
        for (const button of held) await tab.mouseUp(button).catch(() => {});
        for (const key of keys) await tab.keyUp(key).catch(() => {});
        await tab.close();
      }
    }

    const seeds = process.env.STORM_SEED
      ? [Number(process.env.STORM_SEED)]
      : Array.from({ length: STORMS }, () => Math.floor(Math.random() * 2 ** 31));
    for (const seed of seeds) test(`a storm of ${EVENTS} events, seed ${seed}`, (t) => storm(t, seed));
    for (const [name, seed] of Object.entries(REGRESSIONS)) test(`${name} (seed ${seed})`, (t) => storm(t, seed));
  });
}
