// Measures the built page against its two floors, built with it: the start floor
// (build/web/start-floor: one triangle on the same GLUT window, same toolchain and flags, in a
// bare page with nothing of ours) and the redraw floor (build/web/redraw-floor: the car's own
// triangles in the drawing guide's pose, captured from the program, drawn by plain WebGL from
// one buffer). Prints the weight of the page's files, then, in rounds that take turns, on a
// phone with the CPU slowed 4 times and a new context per load: the first frame and the main
// thread's blocking time up to 1 s after it against the start floor, and one redraw in the
// guide's pose, with its main thread's share, against the redraw floor, whose picture must be
// the page's; then Lighthouse's mobile audit of page and start floor, in turns too. Prints
// medians and the ratios page / floor. The lab (build/web/page/lab) takes its turn in the same
// rounds: the time until one experiment (lab/#swapped) has drawn both its views, next to the
// page's first frame, and the cost of a frame of both views with their panels of calls open
// against the same frames with the panels closed. A measurement, not a test: the figures move
// with the load on the machine.
// Usage: node measure.mjs [LIGHTHOUSE_CLI]   (WEB_BENCH_ROUNDS sets the rounds, default 7)
import { execFileSync } from "node:child_process";
import { mkdtempSync, readFileSync, readdirSync, rmSync } from "node:fs";
import { loadavg, tmpdir } from "node:os";
import { dirname, join } from "node:path";
import { gzipSync } from "node:zlib";
import { pageDir, startBrowser, startServer } from "./browser_page.mjs";

const lighthouse = process.argv[2];
const rounds = Number(process.env.WEB_BENCH_ROUNDS ?? 7);
if (!(rounds >= 3)) throw new Error("WEB_BENCH_ROUNDS must be 3 or more: a median needs a few");
const floorDirs = { start: join(dirname(pageDir), "start-floor"), redraw: join(dirname(pageDir), "redraw-floor") };
// The scene of the guide's pose, as page.js stores it, written by the redraw floor's capture.
const pose = JSON.parse(readFileSync(join(floorDirs.redraw, "pose.json"), "utf8"));
const PHONE = { viewport: { width: 412, height: 823 }, deviceScaleFactor: 2.625, isMobile: true, hasTouch: true };
const REDRAWS = 300;
const LAB_FRAMES = 50;
const kb = (bytes) => `${(bytes / 1024).toFixed(1)} KB`;
const load = () => loadavg().map((l) => l.toFixed(2)).join(", ");

// What a visit loads (the icons only an installation does).
const files = ["index.html", "page.js", "scene_words.js", "index.js", "index.wasm", "sw.js", "manifest.webmanifest"];
let raw = 0;
let gzipped = 0;
for (const name of files) {
  const body = readFileSync(join(pageDir, name));
  const packed = gzipSync(body, { level: 9 }).length;
  raw += body.length;
  gzipped += packed;
  console.log(`${name.padEnd(22)} ${kb(body.length).padStart(9)} ${kb(packed).padStart(9)} gzipped`);
}
console.log(`${"total".padEnd(22)} ${kb(raw).padStart(9)} ${kb(gzipped).padStart(9)} gzipped`);

// What the lab loads: its page's files once, then two programs an experiment (the program as
// written, shared by all, and the experiment's).
const labDir = join(pageDir, "lab");
const weigh = (names) =>
  names.map((name) => readFileSync(join(labDir, name))).reduce(([r, g], body) => [r + body.length, g + gzipSync(body, { level: 9 }).length], [0, 0]);
const labPage = weigh(["index.html", "lab.js", "calls_panel.js", "experiments.js"]);
console.log(`\n${"the lab's page".padEnd(22)} ${kb(labPage[0]).padStart(9)} ${kb(labPage[1]).padStart(9)} gzipped (and ../scene_words.js)`);
const programs = readdirSync(labDir).filter((name) => name.endsWith(".wasm")).map((name) => name.slice(0, -5));
let labTotal = [...labPage];
for (const program of programs) {
  const [r, g] = weigh([`${program}.js`, `${program}.wasm`]);
  labTotal = [labTotal[0] + r, labTotal[1] + g];
  console.log(`${program.padEnd(22)} ${kb(r).padStart(9)} ${kb(g).padStart(9)} gzipped`);
}
console.log(`${"the whole lab".padEnd(22)} ${kb(labTotal[0]).padStart(9)} ${kb(labTotal[1]).padStart(9)} gzipped`);

// Runs in the page from the start of its document: records every long task (past 50 ms) as the
// page itself sees them, and once 1.3 s have passed since the first frame (the observer reports
// a task once it has ended), says on the console when that frame was drawn and the blocking
// time those tasks make up to 1 s after it. The benchmark runs nothing of its own in the page
// until then: the first script it runs there costs a long task. Chromium's observer leaves out
// the tasks that start the program (those that run when a wasm promise settles), on the page
// and the floor alike; the trace below counts every task.
function reportLoad() {
  const longTasks = [];
  new PerformanceObserver((list) => {
    for (const task of list.getEntries()) longTasks.push([task.startTime, task.duration]);
  }).observe({ type: "longtask" });
  (function check() {
    const first = window.Module?.firstFrameMs ?? window.firstFrameMs;
    if (!first || performance.now() < first + 1300) return setTimeout(check, 50);
    const seen = longTasks.filter(([start]) => start <= first + 1000).reduce((sum, [, d]) => sum + d - 50, 0);
    console.debug(`load measured: ${first} ${seen}`);
  })();
}

// Starts a trace of the tasks on the page's threads; resolves to a function that ends it and
// resolves to its events.
async function traceTasks(cdp) {
  const events = [];
  cdp.on("Tracing.dataCollected", ({ value }) => events.push(...value));
  const complete = new Promise((done) => cdp.once("Tracing.tracingComplete", done));
  await cdp.send("Tracing.start", { categories: "toplevel,blink.user_timing", transferMode: "ReportEvents" });
  return async () => {
    await cdp.send("Tracing.end");
    await complete;
    return events;
  };
}

// The blocking time up to `end` (ms since navigation): the part past 50 ms of each task on the
// page's main thread that starts by then, from a trace of the load, as Lighthouse counts it.
// The main thread is the one that started the navigation to `url`.
function blockingInTrace(events, url, end) {
  const start = events.find((e) => e.name === "navigationStart" && e.args?.data?.documentLoaderURL?.startsWith(url));
  const since = (e) => (e.ts - start.ts) / 1000;
  return events
    .filter((e) => e.pid === start.pid && e.tid === start.tid && e.name === "ThreadControllerImpl::RunTask")
    .filter((e) => e.dur > 50000 && since(e) >= 0 && since(e) <= end)
    .reduce((sum, e) => sum + e.dur / 1000 - 50, 0);
}

// One redraw `count` times in a row, as the page draws a frame (GLUT's display callback with
// the page's work around it, Browser.mainLoop.runIter) or the redraw floor's drawFrame, then a
// read of one pixel, which waits for the GPU to finish them: the time per redraw, and the main
// thread's share of it (until the read), in ms. As many redraws go first, untimed, and a read:
// what is timed is a redraw as a drag makes them, not the browser's first compiles of the
// program's code. With `picture`, also the whole drawing buffer as base64 RGBA, and its size.
function redraw([count, picture]) {
  /* global Browser, GLUT, getWasmTableEntry, drawFrame */
  const draw = window.GLUT ? () => Browser.mainLoop.runIter(getWasmTableEntry(GLUT.displayFunc)) : drawFrame;
  const gl = window.Module?.ctx ?? document.getElementById("canvas").getContext("webgl");
  for (let i = 0; i < count; i++) draw();
  gl.readPixels(0, 0, 1, 1, gl.RGBA, gl.UNSIGNED_BYTE, new Uint8Array(4));
  const start = performance.now();
  for (let i = 0; i < count; i++) draw();
  const issued = performance.now();
  gl.readPixels(0, 0, 1, 1, gl.RGBA, gl.UNSIGNED_BYTE, new Uint8Array(4));
  const times = [(performance.now() - start) / count, (issued - start) / count];
  if (!picture) return times;
  const { drawingBufferWidth: width, drawingBufferHeight: height } = gl;
  const pixels = new Uint8Array(width * height * 4);
  gl.readPixels(0, 0, width, height, gl.RGBA, gl.UNSIGNED_BYTE, pixels);
  let text = "";
  for (let i = 0; i < pixels.length; i += 0x8000) text += String.fromCharCode(...pixels.subarray(i, i + 0x8000));
  return [...times, { width, height, rgba: btoa(text) }];
}

// Puts the page's scene in the guide's pose, as page.js restores a saved scene.
function putInPose(numbers) {
  Module.HEAPF64.set(numbers, Module._SceneStateNumbers() / Float64Array.BYTES_PER_ELEMENT);
  Module._LoadSceneState();
}

// One load in a new context. On the page and the start floor: the first frame (ms since
// navigation) and the blocking time up to 1 s after it, from the trace and as the page's own
// long-task observer reports it. On the page (in the guide's pose) and the redraw floor: one
// redraw and its main thread's share (ms), and with `picture` the drawing buffer.
async function loadOnce(browser, which, picture) {
  const context = await browser.newContext(PHONE);
  await context.addInitScript(reportLoad);
  const page = await context.newPage();
  const measured = new Promise((done) =>
    page.on("console", (message) => {
      const said = /^load measured: (\S+) (\S+)$/.exec(message.text());
      if (said) done(said.slice(1).map(Number));
    }),
  );
  const cdp = await context.newCDPSession(page);
  await cdp.send("Emulation.setCPUThrottlingRate", { rate: 4 });
  const endTrace = which === "redraw" ? null : await traceTasks(cdp);
  await page.goto(urls[which]);
  const [first, seen] = await measured;
  const result = {};
  if (endTrace) result.start = [first, blockingInTrace(await endTrace(), urls[which], first + 1000), seen];
  if (which !== "start") {
    if (which === "page") await page.evaluate(putInPose, pose);
    const [time, share, shown] = await page.evaluate(redraw, [REDRAWS, picture]);
    result.redraw = [time, share];
    result.picture = shown;
  }
  await context.close();
  return result;
}

// A press of Left and a frame of both of the lab's views, `count` times, with their panels
// open or closed: the time per frame of the script and the style and layout it leaves (ms).
// Each press changes the steered wheels' calls, as a learner's press does.
function labFrames([count, open]) {
  for (const panel of document.querySelectorAll("details.calls")) panel.open = open;
  document.body.getBoundingClientRect();
  const start = performance.now();
  for (let i = 0; i < count; i++) {
    for (const view of lab.views) view.module._LabSpecial(100);
    lab.drawFrame();
    document.body.getBoundingClientRect();
  }
  return (performance.now() - start) / count;
}

// One load of lab/#swapped in a new context: until both views drew (ms since navigation); then,
// in the guide's pose, frames with the panels open and closed, in turns.
async function loadLab(browser) {
  const context = await browser.newContext(PHONE);
  const page = await context.newPage();
  const cdp = await context.newCDPSession(page);
  await cdp.send("Emulation.setCPUThrottlingRate", { rate: 4 });
  await page.goto(`${urls.page}lab/#swapped`);
  await page.waitForFunction(() => window.lab?.views.every((view) => view.firstFrameMs));
  const opened = await page.evaluate(() => Math.max(...lab.views.map((view) => view.firstFrameMs)));
  await page.click("#guide-pose");
  const frames = { open: [], closed: [] };
  for (let turn = 0; turn < 4; turn++) {
    for (const open of turn % 2 ? [false, true] : [true, false]) {
      frames[open ? "open" : "closed"].push(await page.evaluate(labFrames, [LAB_FRAMES, open]));
    }
  }
  await context.close();
  return { opened, ...frames };
}

// Lighthouse's mobile audit of `url`: performance, total blocking time (ms), largest
// contentful paint (ms), and the other three scores.
function audit(url) {
  const dir = mkdtempSync(join(tmpdir(), "lighthouse-"));
  const report = join(dir, "report.json");
  try {
    execFileSync(
      lighthouse,
      [
        url,
        "--quiet",
        "--chrome-flags=--headless=new --no-sandbox",
        "--form-factor=mobile",
        "--only-categories=performance,accessibility,best-practices,seo",
        "--output=json",
        `--output-path=${report}`,
      ],
      { env: { ...process.env, CHROME_PATH: process.env.CHROME_PATH ?? "/usr/bin/chromium" } },
    );
    const r = JSON.parse(readFileSync(report, "utf8"));
    // A score Lighthouse could not give is null: left out, not counted as 0.
    const score = (c) => (r.categories[c].score === null ? undefined : Math.round(r.categories[c].score * 100));
    return [
      score("performance"),
      r.audits["total-blocking-time"].numericValue,
      r.audits["largest-contentful-paint"].numericValue,
      score("accessibility"),
      score("best-practices"),
      score("seo"),
    ];
  } finally {
    rmSync(dir, { recursive: true, force: true });
  }
}

const median = (values) => {
  const v = [...values].sort((a, b) => a - b);
  return v.length % 2 ? v[(v.length - 1) / 2] : (v[v.length / 2 - 1] + v[v.length / 2]) / 2;
};

// Runs measure(which, round) for each of `sides` in turns, the order turning round by one each
// round, so that none always meets the machine as another left it. Resolves to the results of
// each side.
async function inTurns(what, sides, measure) {
  const results = Object.fromEntries(sides.map((side) => [side, []]));
  for (let round = 0; round < rounds; round++) {
    console.error(`${what}: round ${round + 1} of ${rounds}, load average ${load()}`);
    const order = sides.map((_, i) => sides[(i + round) % sides.length]);
    for (const which of order) results[which].push(await measure(which, round));
  }
  return results;
}

// The redraw floor's picture against the page's: the pixels whose colour differs by more than
// 1 in a channel (the page's colours are the desktop's within 1). A float rounded the other way
// moves an edge pixel, so a few may; anything more is another picture.
const MOST_PIXELS_APART = 0.001;
function comparePictures(page, floor) {
  if (page.width !== floor.width || page.height !== floor.height) {
    throw new Error(`the redraw floor draws ${floor.width} × ${floor.height}, the page ${page.width} × ${page.height}`);
  }
  const a = Buffer.from(page.rgba, "base64");
  const b = Buffer.from(floor.rgba, "base64");
  let apart = 0;
  for (let i = 0; i < a.length; i += 4) {
    if ([0, 1, 2].some((c) => Math.abs(a[i + c] - b[i + c]) > 1)) apart++;
  }
  const share = apart / (a.length / 4);
  const text = `${apart} of ${a.length / 4} pixels (${(share * 100).toFixed(3)} %)`;
  if (share > MOST_PIXELS_APART) throw new Error(`the redraw floor's picture is not the page's: ${text} differ`);
  return text;
}

const servers = {
  page: await startServer(pageDir),
  start: await startServer(floorDirs.start),
  redraw: await startServer(floorDirs.redraw),
};
const urls = Object.fromEntries(Object.entries(servers).map(([side, server]) => [side, server.url]));
const loadBefore = load();
const browser = await startBrowser();
const loads = await inTurns("loads", ["page", "start", "redraw", "lab"], (which, round) =>
  which === "lab" ? loadLab(browser) : loadOnce(browser, which, round === 0),
);
await browser.close();
const pictures = comparePictures(loads.page[0].picture, loads.redraw[0].picture);
const audits = lighthouse ? await inTurns("Lighthouse", ["page", "start"], (which) => audit(urls[which])) : null;
for (const server of Object.values(servers)) await server.stop();

const rows = [];
// A row: the measure, the page's and the floor's values, how to show them, the target.
// A run Lighthouse could not score (the start floor, a canvas alone, has no largest contentful
// paint for it) counts for nothing: a median of none is shown as "–".
const scored = (values) => values.filter(Number.isFinite);
const row = (name, page, floor, format, target) => {
  const [p, f] = [scored(page), scored(floor)].map((v) => (v.length ? median(v) : undefined));
  const shown = (v) => (v === undefined ? "–" : format(v));
  rows.push([name, shown(p), shown(f), p !== undefined && f ? (p / f).toFixed(2) : "–", target]);
};
const column = (results, part, i) => results.map((r) => r[part][i]);
const ms = (v) => v.toFixed(0);
const fine = (v) => v.toFixed(2);
row("First frame, ms since navigation; start floor", column(loads.page, "start", 0),
  column(loads.start, "start", 0), ms, "at most 1.1 ×");
row("Main-thread blocking up to 1 s after it, ms (every task in the trace, the part past 50 ms); start floor",
  column(loads.page, "start", 1), column(loads.start, "start", 1), ms, "at most the floor's + 50 ms");
row("The same as the page's long-task observer sees it (without the tasks that start the program), ms; start floor",
  column(loads.page, "start", 2), column(loads.start, "start", 2), ms, "");
row(`One redraw in the guide's pose, ms (${REDRAWS} in a row, then a read of one pixel); redraw floor`,
  column(loads.page, "redraw", 0), column(loads.redraw, "redraw", 0), fine, "at most 1.5 ×");
row("Its main thread's share, ms (the redraws without the read); redraw floor",
  column(loads.page, "redraw", 1), column(loads.redraw, "redraw", 1), fine, "at most 2 ×");
row("The lab: one experiment open (lab/#swapped), both views drawn, ms since navigation; the page's first frame",
  loads.lab.map((r) => r.opened), column(loads.page, "start", 0), ms, "");
row(`The lab: a press of Left and a frame of both views with the panels of calls open, ms (${LAB_FRAMES} in a row, script, style and layout); with them closed`,
  loads.lab.flatMap((r) => r.open), loads.lab.flatMap((r) => r.closed), fine, "");
if (audits) {
  const scores = (side, i) => audits[side].map((r) => r[i]);
  row("Lighthouse mobile: performance; start floor", scores("page", 0), scores("start", 0), ms, "");
  row("Lighthouse mobile: total blocking time, ms; start floor", scores("page", 1), scores("start", 1), ms, "");
  row("Lighthouse mobile: largest contentful paint, ms; start floor", scores("page", 2), scores("start", 2), ms, "");
  const lowest = (side) =>
    [3, 4, 5].map((i) => (scored(scores(side, i)).length ? Math.min(...scored(scores(side, i))) : "–")).join(", ");
  rows.push(["Lighthouse mobile: accessibility, best practices, SEO (lowest of the runs); start floor",
    lowest("page"), lowest("start"), "–", "100, 100, 100 for the page"]);
}

console.log(`\nThe page against its floors: medians of ${rounds} rounds taking turns; phone ` +
  `${PHONE.viewport.width} × ${PHONE.viewport.height} CSS px at ${PHONE.deviceScaleFactor}, touch, ` +
  `CPU 4× slower, a new context per load. Load average before: ${loadBefore}; after: ${load()}.`);
console.log(`The redraw floor's picture against the page's: ${pictures} differ by more than 1.\n`);
console.log("| Measure | Page | Floor | Ratio | Target |");
console.log("|---|--:|--:|--:|---|");
for (const r of rows) console.log(`| ${r.join(" | ")} |`);
