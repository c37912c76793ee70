// Measures the built page: the weight of each file (raw and gzipped), and the time from
// navigation to the first frame on a phone with the CPU slowed 4 times, the median of 5 loads.
// A measurement, not a test. Usage: node measure.mjs URL
import { readFileSync } from "node:fs";
import { join } from "node:path";
import { gzipSync } from "node:zlib";
import { DEVICES, pageDir, startBrowser, waitForFirstFrame } from "./browser_page.mjs";

const url = process.argv[2];
const kb = (bytes) => `${(bytes / 1024).toFixed(1)} KB`;

// What a visit loads (the icons only an installation does).
const files = ["index.html", "page.js", "index.js", "index.wasm", "sw.js", "manifest.webmanifest"];
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

const browser = await startBrowser();
const times = [];
for (let i = 0; i < 5; i++) {
  // A new context each time: nothing cached, no service worker yet.
  const context = await browser.newContext(DEVICES.phone);
  const page = await context.newPage();
  const cdp = await context.newCDPSession(page);
  await cdp.send("Emulation.setCPUThrottlingRate", { rate: 4 });
  await page.goto(url);
  times.push(await waitForFirstFrame(page));
  await context.close();
}
await browser.close();
times.sort((a, b) => a - b);
console.log(`first frame, phone, CPU 4x slower: median ${times[2].toFixed(0)} ms of ${times.map((t) => t.toFixed(0)).join(", ")}`);
