// Measures the built page side by side with its floor (build/web/floor: one triangle on the
// same window, same toolchain, flags, shell and page.js): the weight of the page's files, then
// in rounds that take turns, on a phone with the CPU slowed 4 times and a new context per load,
// the first frame, the main thread's blocking time up to 1 s after it, and the cost of one
// redraw; then Lighthouse's mobile audit of each, in turns too. Prints medians and the ratios
// page / floor. A measurement, not a test: the figures move with the load on the machine.
// Usage: node measure.mjs [LIGHTHOUSE_CLI]   (WEB_BENCH_ROUNDS sets the rounds, default 5)
import { execFileSync } from "node:child_process";
import { mkdtempSync, readFileSync, rmSync } from "node:fs";
import { loadavg, tmpdir } from "node:os";
import { dirname, join } from "node:path";
import { gzipSync } from "node:zlib";
import { pageDir, startBrowser, startServer, waitForFirstFrame } from "./browser_page.mjs";

const lighthouse = process.argv[2];
const rounds = Number(process.env.WEB_BENCH_ROUNDS ?? 5);
if (!(rounds >= 3)) throw new Error("WEB_BENCH_ROUNDS must be 3 or more: a median needs a few");
const floorDir = join(dirname(pageDir), "floor");
const PHONE = { viewport: { width: 412, height: 823 }, deviceScaleFactor: 2.625, isMobile: true, hasTouch: true };
const REDRAWS = 300;
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

// Every long task (past 50 ms) of the page, from the start of its document.
function recordLongTasks() {
  window.longTasks = [];
  new PerformanceObserver((list) => {
    for (const task of list.getEntries()) window.longTasks.push([task.startTime, task.duration]);
  }).observe({ type: "longtask" });
}

// GLUT's display callback `count` times in a row, then a read of one pixel, which waits for
// the GPU to finish them: the time per redraw, and the main thread's share of it (until the
// read), in ms.
function redraw(count) {
  /* global GLUT, getWasmTableEntry */
  const display = getWasmTableEntry(GLUT.displayFunc);
  const gl = Module.ctx;
  const start = performance.now();
  for (let i = 0; i < count; i++) display();
  const issued = performance.now();
  gl.readPixels(0, 0, 1, 1, gl.RGBA, gl.UNSIGNED_BYTE, new Uint8Array(4));
  return [(performance.now() - start) / count, (issued - start) / count];
}

// One load in a new context: first frame (ms since navigation), blocking time up to 1 s after
// it (the part past 50 ms of each long task that starts by then, as total blocking time counts
// it), and one redraw with its main thread's share (ms).
async function loadOnce(browser, url) {
  const context = await browser.newContext(PHONE);
  await context.addInitScript(recordLongTasks);
  const page = await context.newPage();
  const cdp = await context.newCDPSession(page);
  await cdp.send("Emulation.setCPUThrottlingRate", { rate: 4 });
  await page.goto(url);
  const first = await waitForFirstFrame(page);
  // The observer reports a task once it has ended: wait a little past the second.
  await page.waitForFunction((t) => performance.now() > t + 1300, first, { polling: 100 });
  const blocking = await page.evaluate(
    (t) => longTasks.filter(([start]) => start <= t + 1000).reduce((sum, [, d]) => sum + d - 50, 0),
    first,
  );
  const redraws = await page.evaluate(redraw, REDRAWS);
  await context.close();
  return [first, blocking, ...redraws];
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
    const score = (c) => Math.round(r.categories[c].score * 100);
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

// Runs measure(url) for page and floor in turns, each going first every other round, so that
// neither always meets the machine as the other left it. Resolves to the results of each.
async function inTurns(what, urls, measure) {
  const results = { page: [], floor: [] };
  for (let round = 0; round < rounds; round++) {
    console.error(`${what}: round ${round + 1} of ${rounds}, load average ${load()}`);
    const order = round % 2 ? ["floor", "page"] : ["page", "floor"];
    for (const which of order) results[which].push(await measure(urls[which]));
  }
  return results;
}

const servers = { page: await startServer(pageDir), floor: await startServer(floorDir) };
const urls = { page: servers.page.url, floor: servers.floor.url };
const loadBefore = load();
const browser = await startBrowser();
const loads = await inTurns("loads", urls, (url) => loadOnce(browser, url));
await browser.close();
const audits = lighthouse ? await inTurns("Lighthouse", urls, audit) : null;
for (const server of Object.values(servers)) await server.stop();

const rows = [];
// A row: the measure, column `i` of each side's results, how to show it, the target.
const row = (name, results, i, format, target) => {
  const page = median(results.page.map((r) => r[i]));
  const floor = median(results.floor.map((r) => r[i]));
  rows.push([name, format(page), format(floor), floor ? (page / floor).toFixed(2) : "–", target]);
};
const ms = (v) => v.toFixed(0);
row("First frame, ms since navigation (`Module.firstFrameMs`)", loads, 0, ms, "at most 1.1 ×");
row("Main-thread blocking up to 1 s after it, ms (long tasks, the part past 50 ms)", loads, 1, ms,
  "at most the floor's + 50 ms");
row(`One redraw, ms (${REDRAWS} in a row, then a read of one pixel)`, loads, 2, (v) => v.toFixed(2),
  "at most 3 ×");
row("Its main thread's share, ms (the redraws without the read)", loads, 3, (v) => v.toFixed(2), "");
if (audits) {
  row("Lighthouse mobile: performance", audits, 0, ms, "");
  row("Lighthouse mobile: total blocking time, ms", audits, 1, ms, "");
  row("Lighthouse mobile: largest contentful paint, ms", audits, 2, ms, "");
  const lowest = (side) => [3, 4, 5].map((i) => Math.min(...audits[side].map((r) => r[i]))).join(", ");
  rows.push(["Lighthouse mobile: accessibility, best practices, SEO (lowest of the runs)",
    lowest("page"), lowest("floor"), "–", "100, 100, 100"]);
}

console.log(`\nThe page against its floor: medians of ${rounds} rounds taking turns; phone ` +
  `${PHONE.viewport.width} × ${PHONE.viewport.height} CSS px at ${PHONE.deviceScaleFactor}, touch, ` +
  `CPU 4× slower, a new context per load. Load average before: ${loadBefore}; after: ${load()}.\n`);
console.log("| Measure | Page | Floor | Ratio | Target |");
console.log("|---|--:|--:|--:|---|");
for (const r of rows) console.log(`| ${r.join(" | ")} |`);
