// The page heard through Orca in Firefox, as a blind user meets it: a walk by keyboard, with
// what Orca said read back from speech-dispatcher. Each press must be heard once, in its own
// few words, the words must go the way the button's name says, and nothing is said twice at load.
import assert from "node:assert/strict";
import { fileURLToPath } from "node:url";
import { test } from "node:test";
import { setTimeout as sleep } from "node:timers/promises";
import { startServer } from "./browser_page.mjs";
import { startDesktop } from "./screen_reader.mjs";

const CANVAS_NAME = fileURLToPath(new URL("canvas_name.py", import.meta.url));

// It runs only with SCREEN_READER=1 until it passes every time: in 5 runs in a row one failed,
// where the first Tabs from where Orca's reading at load stopped skipped the picture, and on a
// machine under heavy load Firefox once went away mid-walk (cause not found).
const skip = process.env.SCREEN_READER !== "1" && "runs with SCREEN_READER=1";

test("Orca in Firefox: every press heard once, in words that agree with the button", { skip }, async (t) => {
  const started = Date.now();
  const server = await startServer();
  const desk = await startDesktop(server.url);
  try {
    // The page is there once AT-SPI shows the canvas named for a drawn picture.
    await desk.run("/usr/bin/python3", [CANVAS_NAME], { env: desk.env });
    // What Orca says from `from` on, once it has been quiet for 1.5 s.
    const quiet = async (from) => {
      let heard = desk.said().length;
      let since = Date.now();
      const deadline = Date.now() + 20000;
      while (Date.now() - since < 1500 && Date.now() < deadline) {
        await sleep(100);
        const now = desk.said().length;
        if (now !== heard) [heard, since] = [now, Date.now()];
      }
      return desk.said().slice(from).map((line) => line.trim());
    };
    const load = await quiet(0);
    t.diagnostic(`at load: ${JSON.stringify(load)}`);
    const step = async (key) => {
      const from = desk.said().length;
      await desk.key(key);
      return quiet(from);
    };
    const once = (lines, words, what) =>
      assert.equal(lines.filter((line) => line === words).length, 1, `${what}: ${JSON.stringify(lines)}`);

    // Nothing doubled or empty at load.
    const repeated = load.filter((line, i) => line && load.indexOf(line) !== i);
    assert.deepEqual(repeated, [], "said twice at load");
    assert.ok(!load.some((line) => /statusbar|Turn view/i.test(line)), JSON.stringify(load));

    // Tab past the picture to the first Turn view button, and press it.
    await step("Tab");
    await step("Tab");
    once(await step("Return"), "Viewed from 15° further left.", "View from further left");
    // On to Forward, as a user does: Tab until it is heard. Four presses.
    for (let i = 0; !(await step("Tab")).includes("Forward push button."); i++) assert.ok(i < 8, "no Forward");
    for (const lengths of ["0.06", "0.13", "0.19", "0.25"]) {
      once(await step("Return"), `Forward: ${lengths} car lengths from the start.`, "Forward");
    }
    // Back to the picture, where the arrows drive. Orca stays in browse mode there, which takes
    // the arrows for itself: its own key (Insert+A) puts it in focus mode.
    for (let i = 0; i < 6; i++) await step("shift+Tab");
    assert.ok((await step("Insert+a")).includes("Focus mode"));
    for (const lengths of ["0.31", "0.38", "0.44", "0.50"]) {
      once(await step("Up"), `Forward: ${lengths} car lengths from the start.`, "Up");
    }
  } finally {
    await desk.stop();
    await server.stop();
  }
  t.diagnostic(`the walk took ${((Date.now() - started) / 1000).toFixed(0)} s`);
});
