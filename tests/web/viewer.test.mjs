// The page on a desktop in each browser engine: what it holds, the start picture, the keys,
// drags and touches that change it, and a WebGL context lost and given back. Pictures are
// checked with pixel probes on flat colour away from edges, or against each other exactly.
import assert from "node:assert/strict";
import { statSync } from "node:fs";
import { join } from "node:path";
import { setTimeout as sleep } from "node:timers/promises";
import { after, before, describe, test } from "node:test";
import { axeFindings } from "./axe.mjs";
import { HEIGHT, WIDTH, pageDir, recordTurns } from "./browser_page.mjs";
import { ENGINES, launch, serveRecordedPage, waitFor } from "./engines.mjs";
import {
  DRIVEN_FORWARD,
  FRONT_ON,
  START_VIEW,
  TURNED_30,
  assertProbes,
  assertSamePicture,
  chordMoves,
  drag,
  onCanvas,
  settledPicture,
  viewTurn,
} from "./views.mjs";

// A laptop's window, and a wide screen's: room for the controls beside the canvas.
const DESKTOP = { width: 1280, height: 800 };
const WIDE = { width: 1920, height: 1080 };
const PHONE = { width: 390, height: 844, ratio: 3 };

// The Turn view buttons in the order Tab reaches them, how often the walks press each, and the
// drag that turns the view as far: a drag goes the other way from where the view goes.
const TURNS = [
  ["turn-left", 1, { dx: 15 }],
  ["turn-up", 1, { dy: 15 }],
  ["turn-down", 3, { dy: -45 }],
  ["turn-right", 4, { dx: -60 }],
];

const loseContext = (tab) =>
  tab.evaluate(() => {
    const canvas = document.getElementById("canvas");
    window.contextLoss = canvas.getContext("webgl").getExtension("WEBGL_lose_context");
    canvas.addEventListener("webglcontextlost", () => (window.contextLost = true));
    window.contextLoss.loseContext();
  });

// Takes the page's WebGL context away, runs `whileLost`, gives the context back and waits until
// the page has drawn again. Resolves to what was recorded as errors while the context was gone.
async function loseAndRestoreContext(tab, whileLost = async () => {}) {
  await loseContext(tab);
  await waitFor(tab, "the loss of the context", () => window.contextLost);
  await whileLost();
  const errors = await tab.evaluate(() => window.recordedErrors);
  await tab.evaluate(() => window.contextLoss.restoreContext());
  // The page reloads: a new one has no contextLoss.
  await waitFor(tab, "a frame after the restore", () => !window.contextLoss && window.Module?.firstFrameMs);
  return errors;
}

for (const [engine, can] of Object.entries(ENGINES)) {
  describe(`the page in ${engine}`, () => {
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

    // Opens a fresh page, waits for its first frame, runs the steps, and fails on any page
    // error, console error, or console warning after the first frame on the way.
    async function withPage(steps, options = {}) {
      const tab = await browser.open(server.url, { ...DESKTOP, ...options });
      try {
        const firstFrameMs = await waitFor(tab, "the first frame", () => window.Module?.firstFrameMs);
        await steps(tab, firstFrameMs);
        assert.deepEqual(await tab.evaluate(() => window.recordedErrors), []);
        assert.deepEqual(await tab.webglWarnings(), [], "WebGL errors or warnings from the browser");
      } finally {
        await tab.close();
      }
    }

    async function pictureAfter(steps, options) {
      let picture;
      await withPage(async (tab) => {
        await steps(tab);
        picture = await settledPicture(tab);
      }, options);
      return picture;
    }

    // What someone who follows a link sees on a desktop: what the page is, the car in the
    // middle of the window, and every control with the hint right by it; nothing past the window.
    for (const [screen, size] of [["a laptop", DESKTOP], ["a wide screen", WIDE]]) {
      test(`${screen}: a title and a sentence, the canvas centred, the controls and hint within 48 px of it`, async (t) => {
        await withPage(async (tab, firstFrameMs) => {
          const layout = await tab.evaluate(() => {
            const box = (e) => {
              const { left, top, right, bottom } = e.getBoundingClientRect();
              return { left, top, right, bottom };
            };
            const canvas = document.getElementById("canvas");
            const $ = (selector) => document.querySelector(selector);
            return {
              title: document.title,
              words: ["h1", "#about", "#hint"].map((s) => $(s).checkVisibility() && $(s).innerText.trim()),
              buffer: [canvas.width, canvas.height],
              canvas: box(canvas),
              controls: Object.fromEntries(["#turn-pad", "#pad", "#hint", "nav"].map((s) => [s, box($(s))])),
              buttons: [...document.querySelectorAll("button")].filter((e) => e.checkVisibility()).map((e) => e.ariaLabel),
              window: [innerWidth, innerHeight],
              page: [document.documentElement.scrollWidth, document.documentElement.scrollHeight],
            };
          });
          assert.equal(layout.title, "Car");
          const [heading, about, hint] = layout.words;
          assert.equal(heading, "Car");
          assert.match(about, /^A toy car in 3-D[^\n]*\.$/);
          assert.match(hint, /^Arrow keys[^\n]*drag[^\n]*$/i);
          assert.deepEqual(layout.page, layout.window, "the page is larger than the window");
          const { left, top, right, bottom } = layout.canvas;
          assert.deepEqual([...layout.buffer, right - left, bottom - top], [WIDTH, HEIGHT, WIDTH, HEIGHT]);
          assert.ok(Math.abs(left - (size.width - right)) <= 1, `the canvas from ${left} to ${right}`);
          assert.ok(top >= 0 && bottom <= size.height, `the canvas from ${top} to ${bottom}`);
          for (const [name, c] of Object.entries(layout.controls)) {
            const gap = Math.max(c.left - right, left - c.right, c.top - bottom, top - c.bottom);
            assert.ok(gap <= 48, `${name} ${gap} px from the canvas`);
          }
          assert.deepEqual(layout.buttons, [
            "View from further left", "View from higher", "View from lower", "View from further right",
            "Steer left", "Forward", "Back", "Steer right",
          ]);

          const fileSize = (name) => statSync(join(pageDir, name)).size;
          t.diagnostic(`page size: index.wasm ${fileSize("index.wasm")} B + index.js ${fileSize("index.js")} B`);
          t.diagnostic(`first frame drawn ${firstFrameMs.toFixed(0)} ms after navigation start`);
        }, size);
      });
    }

    test("starts with the car side-on in the middle", async () => {
      await withPage(async (tab) => assertProbes(await settledPicture(tab), START_VIEW));
    });

    test("20 up arrows drive the body 200 px left", async () => {
      await withPage(async (tab) => {
        await tab.press("ArrowUp", 20);
        assertProbes(await settledPicture(tab), DRIVEN_FORWARD);
      });
    });

    for (const button of ["left", "middle", "right"]) {
      test(`a drag of 90 px right with the ${button} button shows the front end`, async () => {
        await withPage(async (tab) => {
          await drag(tab, 90, { button });
          assertProbes(await settledPicture(tab), FRONT_ON);
        });
      });
    }

    // A chord: the left button held for 45 px, then the right as well for 45 more. After every
    // move the view shows the pointer's own place (30 px in, the 30 degree picture), and the
    // chord ends at the picture of one 90 px drag.
    for (const step of [1, 5, 10]) {
      test(`a chord of 90 px in moves of ${step} px follows the pointer and ends as one 90 px drag`, async () => {
        const expected = await pictureAfter((tab) => drag(tab, 90));
        const seen = await pictureAfter(async (tab) => {
          const [x, y] = await onCanvas(tab, [300, 450]);
          await tab.mouseMove(x, y);
          await tab.mouseDown("left");
          for (const dx of chordMoves(step)) {
            await tab.mouseMove(x + dx, y);
            assert.equal(await viewTurn(tab), dx, `${dx} px into the drag`);
            if (dx === 30) assertProbes(await settledPicture(tab), TURNED_30);
            if (dx === 45) await tab.mouseDown("right");
          }
          await tab.mouseUp("right");
          await tab.mouseUp("left");
        });
        assertSamePicture(seen, expected, "the chord");
      });
    }

    // Releases that never reached the page, as when its window was hidden mid-drag (the
    // pointer away from the page between "away" and "back"), and the view in degrees after the
    // steps that give one: the same figures as the handlers give on the desktop.
    for (const [what, steps] of [
      [
        "a lost release ends at the next press of that button",
        [
          ["move", 400, 300], ["down", "left", 400, 300], ["move", 450, 300, 50], ["away"], ["up", "left"], ["back"],
          ["down", "left", 450, 300, 50], ["move", 460, 300, 60], ["up", "left", 60],
          ["move", 300, 300], ["down", "left", 300, 300], ["move", 310, 300, 70], ["up", "left"],
          ["move", 600, 300], ["down", "left", 600, 300], ["move", 530, 300, 0], ["up", "left", 0],
        ],
      ],
      [
        "another button after a lost release starts a drag of its own",
        [
          ["move", 100, 100], ["down", "left", 100, 100], ["move", 150, 100, 50], ["away"], ["up", "left"],
          ["move", 400, 100], ["back"], ["down", "right", 400, 100, 50], ["move", 410, 100, 60],
          ["up", "right", 60],
        ],
      ],
    ]) {
      test(what, async () => {
        await withPage(async (tab) => {
          for (const [i, [kind, ...args]] of steps.entries()) {
            let turn;
            if (kind === "away" || kind === "back") {
              await tab.evaluate((away) => (window.pointerAway = away), kind === "away");
            } else if (kind === "move") {
              await tab.mouseMove(...(await onCanvas(tab, args)));
              turn = args[2];
            } else {
              // Presses and releases happen where the pointer is: the place a press gives is the
              // last move's, written beside it.
              await tab[kind === "down" ? "mouseDown" : "mouseUp"](args[0]);
              turn = kind === "down" ? args[3] : args[1];
            }
            if (turn !== undefined) assert.equal(await viewTurn(tab), turn, `after step ${i + 1}, ${kind}`);
          }
        });
      });
    }

    // Two drags of 30 px: a wheel turn that GLUT took for a held button would make the first
    // jump and the second do nothing.
    // Each draw call costs the GL emulation an upload and a round of WebGL state, which on a
    // slow phone is most of a frame: ten polygons of body and cabin, and per wheel its hub bar
    // and the whole torus at once.
    if (can.webglLog) {
      test("a WebGL warning the browser gives outside the console is caught, and named", async () => {
        const tab = await browser.open(server.url, DESKTOP);
        try {
          await waitFor(tab, "the first frame", () => window.Module?.firstFrameMs);
          await tab.evaluate(() => Module.ctx.drawArrays(0x1234, 0, 3));
          const deadline = Date.now() + 10000;
          let warnings;
          while (!(warnings = await tab.webglWarnings()).length && Date.now() < deadline) await sleep(100);
          assert.match(warnings.join("\n"), /drawArrays/i);
        } finally {
          await tab.close();
        }
      });
    }

    test("a frame is one draw call", async () => {
      await withPage(async (tab) => {
        await tab.evaluate(() => {
          const gl = Module.ctx;
          let draws = 0;
          for (const name of ["drawArrays", "drawElements"]) {
            const draw = gl[name].bind(gl);
            gl[name] = (...args) => {
              draws++;
              draw(...args);
            };
          }
          const after = Module.postMainLoop;
          Module.postMainLoop = () => {
            after();
            window.drawsInFrame = draws;
          };
          Module._glutPostRedisplay();
        });
        assert.equal(await waitFor(tab, "a frame", () => window.drawsInFrame), 1);
      });
    });

    test("a turn of the mouse wheel leaves later drags working", async () => {
      await withPage(async (tab) => {
        await tab.wheel(...(await onCanvas(tab, [100, 100])), 100);
        await drag(tab, 30);
        await drag(tab, 60);
        assertProbes(await settledPicture(tab), FRONT_ON);
      });
    });

    test("the arrow keys drive the car and never scroll the page", async () => {
      // A window lower than the page, so that the arrows could scroll it. (The canvas shrinks
      // to the window's width: there is no sideways scroll to try.)
      await withPage(
        async (tab) => {
          const scrollable = await tab.evaluate(() => document.documentElement.scrollHeight > innerHeight);
          assert.ok(scrollable, "the page fits the window: the check would prove nothing");
          // Steering there and back, then 20 net steps forward.
          for (const [key, times] of [
            ["ArrowLeft", 10],
            ["ArrowRight", 10],
            ["ArrowDown", 10],
            ["ArrowUp", 30],
          ]) {
            await tab.press(key, times);
            assert.deepEqual(await tab.evaluate(() => [scrollX, scrollY]), [0, 0], key);
          }
          assertProbes(await settledPicture(tab), DRIVEN_FORWARD);
        },
        { width: 440, height: 340 },
      );
    });

    if (can.touch) {
      test("a finger 30 px right turns the view 30 degrees", async () => {
        await withPage(
          async (tab) => {
            const [x, y] = await onCanvas(tab, [400, 450]);
            await tab.touchStart(x, y);
            for (let dx = 5; dx <= 30; dx += 5) await tab.touchMove(x + dx, y);
            await tab.touchEnd();
            assertProbes(await settledPicture(tab), TURNED_30);
          },
          { touch: true },
        );
      });
    }

    if (can.ratio) {
      test("a mouse at devicePixelRatio 2: 30 px right turns the view 30 degrees", async () => {
        await withPage(
          async (tab) => {
            const canvasWidth = () => [devicePixelRatio, document.getElementById("canvas").width];
            const buffer = await tab.evaluate(canvasWidth);
            assert.deepEqual(buffer, [2, 1600]);
            await drag(tab, 30);
            assertProbes(await settledPicture(tab), TURNED_30);
          },
          { ratio: 2 },
        );
      });
    }

    describe("for everyone", () => {
      const centreOf = (tab, id) =>
        tab.evaluate((id) => {
          const box = document.getElementById(id).getBoundingClientRect();
          return [box.x + box.width / 2, box.y + box.height / 2];
        }, id);
      const focused = () => document.activeElement.id;
      const focus = (id) => document.getElementById(id).focus();
      const driveAndSteer = async (tab) => {
        await tab.press("ArrowLeft", 10);
        await tab.press("ArrowUp", 10);
      };

      test("the keyboard alone: Tab reaches each link, the picture, then each Turn view button, Enter and Space turn, arrows drive", async () => {
        const expected = await pictureAfter(async (tab) => {
          for (const [, , { dx = 0, dy = 0 }] of TURNS) await drag(tab, dx, { dy });
          await driveAndSteer(tab);
        });
        const seen = await pictureAfter(async (tab) => {
          const ring = () => {
            const focused = document.activeElement;
            const style = getComputedStyle(focused);
            return [focused.id || focused.innerText, focused.matches(":focus-visible"), style.outlineStyle, style.outlineWidth];
          };
          // The ways on come first, then the lab's link in the sentence on what the page is.
          for (const link of ["How the car is drawn", "Source", "Downloads", "the lab"]) {
            await tab.press("Tab");
            assert.deepEqual(await tab.evaluate(ring), [link, true, "solid", "3px"], "the focus and its ring");
          }
          for (const [id, times] of [["canvas", 0], ...TURNS]) {
            await tab.press("Tab");
            assert.deepEqual(await tab.evaluate(ring), [id, true, "solid", "3px"], "the focus and its ring");
            for (let i = 0; i < times; i++) await tab.press(i % 2 ? " " : "Enter");
          }
          // No button takes the arrows for itself.
          await driveAndSteer(tab);
          assert.equal(await tab.evaluate(focused), "turn-right");
          // Nothing holds the focus: it goes on to the drive buttons.
          await tab.press("Tab");
          assert.equal(await tab.evaluate(() => document.activeElement.ariaLabel), "Steer left");
        });
        assertSamePicture(seen, expected, "keys against drags and keys");
      });

      // On a screen a phone's size: where the engine emulates one (Chromium), its layout.
      for (const way of can.touch ? ["clicks", "taps"] : ["clicks"]) {
        test(`${way} alone on Turn view turn the view as drags do`, async () => {
          const options = way === "taps" ? { ...PHONE, touch: true } : {};
          let turns;
          const seen = await pictureAfter(async (tab) => {
            await tab.evaluate(recordTurns);
            for (const [id, times] of TURNS) {
              const [x, y] = await centreOf(tab, id);
              for (let i = 0; i < times; i++) {
                if (way === "taps") {
                  await tab.touchStart(x, y);
                  await tab.touchEnd();
                } else {
                  await tab.mouseMove(x, y);
                  await tab.mouseDown("left");
                  await tab.mouseUp("left");
                }
              }
            }
            turns = await tab.evaluate(() => window.turns);
            assert.equal(await tab.evaluate(focused), "", "a press took the focus");
          }, options);
          // One turn a press, and more only where the browser saw a press held past the repeat's
          // pause (a busy machine): the drags follow what it saw.
          const presses = TURNS.reduce((sum, [, times]) => sum + times, 0);
          assert.ok(turns.length >= presses, `${turns.length} turns for ${presses} presses`);
          const expected = await pictureAfter(async (tab) => {
            for (const [dx, dy] of turns) await drag(tab, dx, { dy, from: [100, 200] });
          }, options);
          assertSamePicture(seen, expected, `${way} against drags`);
        });
      }

      test("a turn pressed during a mouse drag adds to it: no jump, and the drag goes on", async () => {
        const expected = await pictureAfter((tab) => drag(tab, 45));
        const seen = await pictureAfter(async (tab) => {
          await tab.evaluate(focus, "turn-left");
          const [x, y] = await onCanvas(tab, [400, 450]);
          await tab.mouseMove(x, y);
          await tab.mouseDown("left");
          for (const dx of [10, 20]) await tab.mouseMove(x + dx, y);
          await tab.press("Enter");
          await tab.mouseMove(x + 30, y);
          await tab.mouseUp("left");
        });
        assertSamePicture(seen, expected, "a drag of 30 px and a turn of 15 against a drag of 45 px");
      });

      // What the status line says, line by line, from now on.
      const recordSaid = (tab) =>
        tab.evaluate(() => {
          window.said = [];
          const status = document.getElementById("view-words");
          new MutationObserver(() => said.push(status.textContent)).observe(status, { childList: true });
        });
      const name = () => document.getElementById("canvas").getAttribute("aria-label");
      // Once `presses` phrases have been said and the last whole sentence says `seen`: the
      // phrases, and the sentences. Presses that come slower than the view settles (a loaded
      // machine) may each add a sentence on the way; none may say the side just said again.
      const pressesSaid = async (tab, presses, seen) => {
        const said = await waitFor(
          tab,
          "the presses and the side said",
          ([presses, seen]) => {
            const sentences = window.said.filter((line) => line.startsWith("The car seen"));
            return window.said.length - sentences.length === presses && sentences.at(-1)?.includes(seen) && window.said;
          },
          [presses, seen],
        );
        const sentences = said.filter((line) => line.startsWith("The car seen"));
        sentences.forEach((line, i) => i && assert.notEqual(line, sentences[i - 1], JSON.stringify(said)));
        return [said.filter((line) => !line.startsWith("The car seen")), sentences];
      };

      test("each press is said in a few words; the whole sentence, the canvas's name, on a new side", async () => {
        await withPage(async (tab) => {
          await recordSaid(tab);
          assert.match(await tab.evaluate(name), /^The car seen from its left, at its own height\. It has not turned/);
          await tab.evaluate(focus, "turn-left");
          for (let i = 0; i < 6; i++) await tab.press("Enter");
          const [turned, sentences] = await pressesSaid(tab, 6, "from its front,");
          assert.deepEqual(turned, Array(6).fill("Viewed from 15° further left."));
          assert.equal(sentences.at(-1), await tab.evaluate(name));
          assert.match(sentences.at(-1), /^The car seen from its front, at its own height\. It has not turned, .* at its start\.$/);
          await tab.evaluate(() => (window.said = []));
          await tab.press("ArrowUp", 8);
          const driven = await waitFor(tab, "the drive said", () => window.said.length === 8 && window.said);
          assert.equal(driven[7], "Forward: 0.50 car lengths from the start.");
          // The name follows at the next frame.
          await waitFor(tab, "the name after the drive", () =>
            / stands 0\.5 car lengths from its start\.$/.test(document.getElementById("canvas").ariaLabel),
          );
          assert.match(await tab.evaluate(name), /^The car seen from its front, /);
          // A button held is said once, when it is let go; the side seen is the same: no sentence.
          const [x, y] = await tab.evaluate(() => {
            const box = document.querySelector("[aria-label=Forward]").getBoundingClientRect();
            return [box.x + box.width / 2, box.y + box.height / 2];
          });
          await tab.evaluate(() => (window.said = []));
          await tab.mouseMove(x, y);
          await tab.mouseDown("left");
          await sleep(1000);
          await tab.mouseUp("left");
          const held = await waitFor(tab, "the hold said", () => window.said.length > 0 && window.said);
          await sleep(1500);
          assert.deepEqual(await tab.evaluate(() => window.said), held);
          assert.match(held[0], /^Forward: \d\.\d\d car lengths from the start\.$/);
        });
      });

      // Each Turn view button from the start, three times (45 degrees): its words, and where the
      // whole sentence then says the car is seen from, go the way its name says.
      for (const [id, button, heard, seen] of [
        ["turn-left", "View from further left", "Viewed from 15° further left.", "seen from its front left, at its own height"],
        ["turn-right", "View from further right", "Viewed from 15° further right.", "seen from its back left, at its own height"],
        ["turn-up", "View from higher", "Viewed from 15° higher.", "seen from its left, from above"],
        ["turn-down", "View from lower", "Viewed from 15° lower.", "seen from its left, from below"],
      ]) {
        test(`${button}: the words after it agree with its name`, async () => {
          await withPage(async (tab) => {
            assert.equal(await tab.evaluate((id) => document.getElementById(id).ariaLabel, id), button);
            await recordSaid(tab);
            await tab.evaluate(focus, id);
            for (let i = 0; i < 3; i++) await tab.press("Enter");
            const [said] = await pressesSaid(tab, 3, seen);
            assert.deepEqual(said, [heard, heard, heard]);
          });
        });
      }

      // The phone's layout where the engine emulates a touch screen's coarse pointer (Chromium);
      // elsewhere the desktop's, as narrow as a phone. In the dark scheme, where the engine can
      // ask for it, the page around the canvas is dark and the picture the program's own.
      const layouts = [
        ["desktop", {}],
        ["phone", { ...PHONE, touch: can.touch }],
      ];
      if (can.dark) layouts.push(...layouts.map(([name, options]) => [`${name}, dark`, { ...options, dark: true }]));
      for (const [layout, options] of layouts) {
        test(`axe-core finds nothing against WCAG 2.2 A and AA or its best practices: ${layout}`, async (t) => {
          await withPage(async (tab) => {
            const tint = await tab.evaluate(() => getComputedStyle(document.body).backgroundColor);
            assert.equal(tint, options.dark ? "rgb(29, 36, 43)" : "rgb(221, 227, 233)");
            assertProbes(await settledPicture(tab), START_VIEW);
            const result = await axeFindings(tab);
            const layout = await tab.evaluate(() => [innerWidth, devicePixelRatio, matchMedia("(pointer: coarse)").matches]);
            t.diagnostic(`axe: ${result.passes} rules pass, to review: ${result.incomplete.join(" ") || "none"}`);
            t.diagnostic(`width, ratio, coarse pointer: ${layout.join(", ")}`);
            assert.deepEqual(result.violations, []);
          }, options);
        });
      }
    });

    describe("a lost WebGL context comes back", () => {
      const firstSteps = async (tab) => {
        await tab.press("ArrowLeft", 5);
        await tab.press("ArrowUp", 10);
        await drag(tab, 30);
      };
      const laterSteps = async (tab) => {
        await tab.press("ArrowUp", 10);
        await drag(tab, 60, { button: "right" });
        // The on-screen Forward button, pressed from the keyboard.
        const forward = () => document.querySelector("[aria-label=Forward]").click();
        for (let i = 0; i < 3; i++) await tab.evaluate(forward);
      };

      test("with the same picture, and keys, drags and buttons go on from there", async () => {
        const expected = await pictureAfter(async (tab) => {
          await firstSteps(tab);
          await laterSteps(tab);
        });
        const seen = await pictureAfter(async (tab) => {
          await firstSteps(tab);
          const beforeLoss = await settledPicture(tab);
          // A key that only redraws: a frame on the lost context.
          const errorsWhileLost = await loseAndRestoreContext(tab, () => tab.press("Home"));
          assert.deepEqual(errorsWhileLost, []);
          assertSamePicture(await settledPicture(tab), beforeLoss, "after the restore");
          await laterSteps(tab);
        });
        assertSamePicture(seen, expected, "keys, drags and buttons after the restore");
      });

      // What the page keeps across the reload is read back only if the scene can hold it.
      for (const [what, stored] of [
        ["not JSON", "[0, 0"],
        ["ten numbers", "[0, 0, 0, 0, 90, 0, 0, 0, 0, 0]"],
        ["a fraction for a drag total", "[0, 0, 0, 0, 90.5, 0, 0, 0, 0, 0, 0]"],
      ]) {
        test(`a saved scene of ${what} is ignored`, async () => {
          await withPage(async (tab) => {
            await tab.evaluate((text) => {
              sessionStorage.setItem("car-scene", text);
              window.beforeReload = true;
              location.reload();
            }, stored);
            await waitFor(tab, "a frame after the reload", () => !window.beforeReload && window.Module?.firstFrameMs);
            assertProbes(await settledPicture(tab), START_VIEW);
          });
        });
      }

      test("a drag held at the loss ends there as a release would", async () => {
        await withPage(async (tab) => {
          const [x, y] = await onCanvas(tab, [400, 450]);
          await tab.mouseMove(x, y);
          await tab.mouseDown("left");
          for (const dx of [10, 20, 30]) await tab.mouseMove(x + dx, y);
          await loseAndRestoreContext(tab);
          // The release comes to the new page, which saw no press.
          await tab.mouseUp("left");
          assertProbes(await settledPicture(tab), TURNED_30);
          await drag(tab, 60);
          assertProbes(await settledPicture(tab), FRONT_ON);
        });
      });
    });
  });
}

// Without WebGL the program cannot draw: the page says what is missing and what to try, to
// everyone, and offers no control that could not work.
for (const engine of ["chromium", "firefox"]) {
  test(`${engine} without WebGL: the page says so, and shows no controls`, async () => {
    const server = await serveRecordedPage();
    const browser = await launch(engine, { webgl: false });
    try {
      const tab = await browser.open(server.url, DESKTOP);
      const message = await waitFor(tab, "the message", () => {
        const shown = document.getElementById("no-webgl");
        return shown.checkVisibility() && [shown.getAttribute("role"), shown.textContent];
      });
      assert.equal(message[0], "alert");
      assert.match(message[1], /needs WebGL.*Try /);
      const offered = await tab.evaluate(() =>
        [...document.querySelectorAll("canvas, button, #panel p")].filter((e) => e.checkVisibility()).length,
      );
      assert.equal(offered, 0);
      // The program never started, so nothing failed on the way.
      await sleep(1000);
      assert.deepEqual(await tab.evaluate(() => [window.recordedErrors, window.Module.calledRun ?? false]), [[], false]);
      await tab.close();
    } finally {
      await browser.close();
      await server.stop();
    }
  });
}
