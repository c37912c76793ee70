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
const START_SENTENCE =
  "The car seen from its left, at its own height. It has not turned, its front wheels are straight, and it stands at its start.";

test("Orca in Firefox: the picture says how to drive, and every press is heard once, in words that agree with the button", async (t) => {
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
    // Presses a key and gives what Orca said for it, noted in the test's output.
    const step = async (key) => {
      const from = desk.said().length;
      await desk.key(key);
      const lines = await quiet(from);
      t.diagnostic(`${key}: ${JSON.stringify(lines)}`);
      return lines;
    };
    const once = (lines, words, what) =>
      assert.equal(lines.filter((line) => line === words).length, 1, `${what}: ${JSON.stringify(lines)}`);
    // Tab until `words` are heard. Where Tab starts depends on how far Orca's reading of the page
    // had got when the first key stopped it, and from the last button Tab goes on through
    // Firefox's toolbar and back into the page: at most about twenty stops in all.
    const tabTo = async (words) => {
      for (let i = 0; i < 30; i++) {
        const lines = await step("Tab");
        if (lines.includes(words)) return lines;
      }
      assert.fail(`Tab never reached "${words}"`);
    };

    // Orca reads the page at load: nothing in it twice (a role's own word aside, "link" or
    // "push button"), and no empty status bar.
    const roleWord = /^(link|push button|panel|heading level \d|canvas)$/;
    const repeated = load.filter((line, i) => line && !roleWord.test(line) && load.indexOf(line) !== i);
    assert.deepEqual(repeated, [], "said twice at load");
    assert.ok(!load.some((line) => /statusbar/i.test(line)), JSON.stringify(load));

    // On the picture, the user hears what it shows and how to drive there.
    const picture = await tabTo(`${START_SENTENCE} canvas.`);
    assert.ok(picture.some((line) => /^To drive with a screen reader, turn on its focus mode on the picture/.test(line)), JSON.stringify(picture));
    // Orca stays in browse mode there; its own key (Insert+A) turns on focus mode, and then the
    // arrows reach the page.
    assert.ok((await step("Insert+a")).includes("Focus mode"));
    for (const lengths of ["0.06", "0.13", "0.19", "0.25"]) {
      once(await step("Up"), `Forward: ${lengths} car lengths from the start.`, "Up");
    }
    // The next Tab is the first Turn view button, and Orca is back in browse mode.
    const turn = await step("Tab");
    assert.ok(turn.includes("View from further left push button."), JSON.stringify(turn));
    once(await step("Return"), "Viewed from 15° further left.", "View from further left");
    // On to Forward, as a user does, and four presses.
    await tabTo("Forward push button.");
    for (const lengths of ["0.31", "0.38", "0.44", "0.50"]) {
      once(await step("Return"), `Forward: ${lengths} car lengths from the start.`, "Forward");
    }
  } finally {
    await desk.stop();
    await server.stop();
  }
  t.diagnostic(`the walk took ${((Date.now() - started) / 1000).toFixed(0)} s`);
});
