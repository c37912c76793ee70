// The page under test: served by web/serve.mjs on 127.0.0.1, opened in Debian's Chromium.
import { spawn } from "node:child_process";
import { join } from "node:path";
import { after, before } from "node:test";
import { fileURLToPath } from "node:url";
import { chromium } from "playwright-core";
import { PNG } from "pngjs";

const repo = fileURLToPath(new URL("../..", import.meta.url));
export const pageDir = process.env.CAR_WEB_PAGE ?? join(repo, "build/web/page");

// The on-screen buttons' names, the viewer's and the lab's, in the order Tab reaches them.
export const TURN_BUTTONS = ["View from further left", "View from higher", "View from lower", "View from further right"];
export const DRIVE_BUTTONS = ["Steer left", "Forward", "Back", "Steer right"];

// The program's own window size, which the page keeps on a desktop.
export const WIDTH = 800;
export const HEIGHT = 600;

// The screens a shared link is opened on, as Chromium emulates them; the desktop a laptop's
// window.
export const DEVICES = {
  desktop: { viewport: { width: 1280, height: 800 } },
  phone: { viewport: { width: 390, height: 844 }, deviceScaleFactor: 3, isMobile: true, hasTouch: true },
  "phone on its side": {
    viewport: { width: 844, height: 390 },
    deviceScaleFactor: 3,
    isMobile: true,
    hasTouch: true,
  },
  tablet: { viewport: { width: 820, height: 1180 }, deviceScaleFactor: 2, isMobile: true, hasTouch: true },
};

// Never a browser of the tool's own: Debian's, rendering with SwiftShader, talking to nothing
// but the local server. Playwright gives it a new empty profile and removes it at close.
const chromiumArgs = [
  "--no-sandbox",
  "--use-angle=swiftshader",
  "--disable-background-networking",
  "--disable-component-update",
  "--disable-sync",
  "--no-first-run",
];

// Starts a server of `dir` on `port` (0: a free one), with the server's `options`, and resolves
// to its address once it prints it; printed() is all it has printed so far, stop() resolves once
// it has gone.
export function startServer(dir = pageDir, port = 0, options = []) {
  const server = spawn(process.execPath, [join(repo, "web/serve.mjs"), ...options, dir, String(port)], {
    stdio: ["ignore", "pipe", "inherit"],
  });
  // Not left serving should the tests end without stopping it.
  const kill = () => server.kill();
  process.once("exit", kill);
  server.once("exit", () => process.off("exit", kill));
  return new Promise((resolve, reject) => {
    let output = "";
    server.stdout.on("data", (chunk) => {
      output += chunk;
      const address = output.match(/http:\/\/127\.0\.0\.1:\d+\//);
      const stop = () =>
        new Promise((stopped) => {
          if (server.exitCode !== null || server.signalCode !== null) return stopped();
          server.once("exit", stopped);
          server.kill();
        });
      if (address) resolve({ url: address[0], port: Number(new URL(address[0]).port), printed: () => output, stop });
    });
    server.on("exit", (code) => reject(new Error(`server exited with ${code}: ${output}`)));
  });
}

// The browser, with a desktop context ready; newContext(device) makes another. Without
// `webgl` it gives pages none.
export async function startBrowser({ webgl = true } = {}) {
  const browser = await chromium.launch({
    executablePath: "/usr/bin/chromium",
    headless: true,
    args: webgl ? chromiumArgs : [...chromiumArgs, "--disable-webgl"],
  });
  return {
    context: await browser.newContext(DEVICES.desktop),
    newContext: (device) => browser.newContext(device),
    close: () => browser.close(),
  };
}

// The page's server and a browser for the tests of the suite that calls this: started before
// them, stopped after them. Its `server` and `browser` are there once the tests run.
export function serverAndBrowser() {
  const shared = {};
  before(async () => {
    shared.server = await startServer();
    shared.browser = await startBrowser();
  });
  after(async () => {
    await shared.browser?.close();
    shared.server?.stop();
  });
  return shared;
}

// Opens the page and waits for its first frame (or what `started` waits for: the lab's are
// other). `errors` collects page errors and console errors, and the console warnings after the
// first frame (the GL emulation's notes on how it started come before it).
export async function openPage(context, url, viewport, started = waitForFirstFrame) {
  const page = await context.newPage();
  if (viewport) await page.setViewportSize(viewport);
  const errors = [];
  let running = false;
  page.on("pageerror", (error) => errors.push(error.message));
  page.on("console", (message) => {
    if (message.type() === "error" || (running && message.type() === "warning")) {
      errors.push(message.text());
    }
  });
  await page.goto(url);
  const firstFrameMs = await started(page);
  running = true;
  return { page, errors, firstFrameMs };
}

export async function waitForFirstFrame(page) {
  return (await page.waitForFunction(() => window.Module?.firstFrameMs)).jsonValue();
}

// The canvas's box in CSS pixels: the viewer's, or the one `canvas` selects (the lab has two).
export function canvasBox(page, canvas = "#canvas") {
  return page.evaluate((selector) => {
    const { x, y, width, height } = document.querySelector(selector).getBoundingClientRect();
    return { x, y, width, height };
  }, canvas);
}

// The canvas as shown, at the screen's own resolution, once two grabs in a row agree. A clip
// of the page (not an element shot, which comes out a pixel larger) is its picture.
export async function settledPicture(page, canvas = "#canvas") {
  const clip = await canvasBox(page, canvas);
  const deadline = Date.now() + 10000;
  let last = await page.screenshot({ clip });
  for (;;) {
    const next = await page.screenshot({ clip });
    if (next.equals(last)) return PNG.sync.read(next);
    if (Date.now() > deadline) throw new Error("the picture never settled");
    last = next;
  }
}

// The colour at a point given in the 800 x 600 picture, scaled to the picture's size.
export function colourAt(picture, [x, y]) {
  const px = Math.round((x * picture.width) / WIDTH);
  const py = Math.round((y * picture.height) / HEIGHT);
  const i = (py * picture.width + px) * 4;
  return [picture.data[i], picture.data[i + 1], picture.data[i + 2]];
}

// Real touches, as a screen sends them: each event lists every finger still down, by id, and
// the browser works out which went down, moved or came up.
export async function touchScreen(page) {
  const cdp = await page.context().newCDPSession(page);
  const send = (type, fingers) =>
    cdp.send("Input.dispatchTouchEvent", {
      type,
      touchPoints: Object.entries(fingers).map(([id, [x, y]]) => ({ id: Number(id), x, y })),
    });
  return {
    start: (fingers) => send("touchStart", fingers),
    move: (fingers) => send("touchMove", fingers),
    // The last finger up ends the touch; one of several up is a move of the others.
    lift: (remaining = {}) => send(Object.keys(remaining).length ? "touchMove" : "touchEnd", remaining),
    cancel: () => send("touchCancel", {}),
  };
}

// Run in a page: records every turn its Turn view buttons make, as [dx, dy], in window.turns.
// Emscripten's export replaces itself with the bare function at its first call: that call, a
// turn of nothing, comes first.
export function recordTurns() {
  window.turns = [];
  Module._TurnView(0, 0);
  const turn = Module._TurnView;
  Module._TurnView = (dx, dy) => {
    turns.push([dx, dy]);
    turn(dx, dy);
  };
}
