// The three browser engines the page is tested in, each behind one small interface, so that a
// suite runs unchanged in all of them:
//   const browser = await launch(engine);
//   const tab = await browser.open(url, { width, height, ratio, touch, dark });
//   tab.press(key, times), tab.keyDown(key), tab.keyUp(key), tab.mouseMove(x, y),
//   tab.mouseDown(button), tab.mouseUp(button), tab.wheel(x, y, dy), tab.touchStart(x, y),
//   tab.touchMove(x, y), tab.touchEnd(), tab.fingers(type, points) (several fingers, and
//   touchCancel, where `can.fingers`), tab.resize(width, height),
//   tab.evaluate(fn, arg), tab.canvasShot(box): a PNG of the canvas box as shown,
//   tab.webglWarnings(): the WebGL errors and warnings the browser gave for the page outside its
//   console, but for the harmless ones below; tab.close()
//   await browser.close()
// Chromium is Debian's, through playwright-core; Firefox is Debian's firefox-esr, through
// puppeteer-core over WebDriver BiDi; WebKit is WebKitGTK's MiniBrowser, through Debian's
// WebKitWebDriver and selenium-webdriver. Firefox and WebKit draw WebGL only on an X display:
// each gets an Xvfb of its own, which goes when the browser does.
import { execFile } from "node:child_process";
import { cpSync, mkdtempSync, readFileSync, rmSync, writeFileSync } from "node:fs";
import { connect, createServer } from "node:net";
import { tmpdir } from "node:os";
import { join } from "node:path";
import { createInterface } from "node:readline";
import { after, before } from "node:test";
import { setTimeout as sleep } from "node:timers/promises";
import { promisify } from "node:util";
import { PNG } from "pngjs";
import puppeteer from "puppeteer-core";
import { Builder } from "selenium-webdriver";
import { pageDir, startBrowser, startServer } from "./browser_page.mjs";
import { startGroup, startXvfb, stop } from "./process_groups.mjs";

// What each can give beyond keys, mouse and pictures: real touch events, several fingers at
// once and touch cancels, an emulated devicePixelRatio, what the browser says of the page's
// WebGL outside its console, and an emulated dark colour scheme. WebKitGTK's driver turns touch
// actions into mouse events, sets no ratio and gives no log; puppeteer's touchscreen in Firefox
// has no cancel; neither emulates a colour scheme (puppeteer's over WebDriver BiDi cannot).
export const ENGINES = {
  chromium: { touch: true, fingers: true, ratio: true, webglLog: true, dark: true },
  firefox: { touch: true, fingers: false, ratio: true, webglLog: true, dark: false },
  webkit: { touch: false, fingers: false, ratio: false, webglLog: false, dark: false },
};

// What an engine may say about the page's WebGL that is no fault of the page, each with why.
const HARMLESS_WEBGL = [
  // The lost-context tests take the context away on purpose (WEBGL_lose_context).
  /: WebGL context was lost\.$/,
];

// Firefox prints the page's WebGL errors and warnings only on its stderr, each as
// "JavaScript warning: URL, line N: WebGL warning: ..." (or error; the URL is the calling
// script's, empty for one a driver ran); its own scripts' lines name resource:// or chrome://.
// Gives a function that starts a record: a function giving the page's lines printed since.
function webglLinesOf(stream) {
  const lines = [];
  const page = /^JavaScript (warning|error): (?!resource:|chrome:)[^,]*, line \d+: .*WebGL/;
  createInterface({ input: stream }).on("line", (line) => {
    if (page.test(line) && !HARMLESS_WEBGL.some((r) => r.test(line))) {
      lines.push(line);
    }
  });
  return () => {
    const from = lines.length;
    return () => lines.slice(from);
  };
}

// `options.webgl` false: a browser that gives pages no WebGL (Chromium and Firefox).
export function launch(engine, options = {}) {
  return { chromium: launchChromium, firefox: launchFirefox, webkit: launchWebKit }[engine](options);
}

// What playwright's and puppeteer's pages do alike; the page lives in a browser context of its
// own, closed with it.
function pageTab(page, context) {
  return {
    async press(key, times = 1) {
      for (let i = 0; i < times; i++) await page.keyboard.press(key);
    },
    keyDown: (key) => page.keyboard.down(key),
    keyUp: (key) => page.keyboard.up(key),
    mouseMove: (x, y) => page.mouse.move(x, y),
    mouseDown: (button) => page.mouse.down({ button }),
    mouseUp: (button) => page.mouse.up({ button }),
    evaluate: (fn, arg) => page.evaluate(fn, arg),
    canvasShot: (clip) => page.screenshot({ clip }),
    close: () => context.close(),
  };
}

async function launchChromium(options) {
  const browser = await startBrowser(options);
  return {
    async open(url, { width, height, ratio = 1, touch = false, dark = false }) {
      const context = await browser.newContext({
        viewport: { width, height },
        deviceScaleFactor: ratio,
        hasTouch: touch,
        colorScheme: dark ? "dark" : "light",
      });
      const page = await context.newPage();
      // Chromium gives the page's WebGL errors and warnings to the console as its own messages,
      // which no console.warn of the page's sees.
      const webglWarnings = [];
      page.on("console", (message) => {
        const line = message.text();
        if (/WebGL/.test(line) && !HARMLESS_WEBGL.some((r) => r.test(line))) webglWarnings.push(line);
      });
      await page.goto(url);
      const cdp = touch ? await context.newCDPSession(page) : null;
      const touchEvent = (type, points) =>
        cdp.send("Input.dispatchTouchEvent", {
          type,
          touchPoints: points.map(([x, y, id = 0]) => ({ x, y, id })),
        });
      return {
        ...pageTab(page, context),
        resize: (w, h) => page.setViewportSize({ width: w, height: h }),
        fingers: touchEvent,
        webglWarnings: async () => webglWarnings,
        wheel: async (x, y, dy) => {
          await page.mouse.move(x, y);
          await page.mouse.wheel(0, dy);
        },
        touchStart: (x, y) => touchEvent("touchStart", [[x, y]]),
        touchMove: (x, y) => touchEvent("touchMove", [[x, y]]),
        touchEnd: () => touchEvent("touchEnd", []),
      };
    },
    close: () => browser.close(),
  };
}

async function launchFirefox({ webgl = true }) {
  const xvfb = await startXvfb();
  let browser;
  try {
    browser = await puppeteer.launch({
      browser: "firefox",
      executablePath: "/usr/bin/firefox-esr",
      headless: true,
      env: { ...process.env, DISPLAY: xvfb.display },
      extraPrefsFirefox: webgl ? {} : { "webgl.disabled": true },
    });
  } catch (error) {
    await xvfb.stop();
    throw error;
  }
  const webglSince = webglLinesOf(browser.process().stderr);
  return {
    async open(url, { width, height, ratio = 1, touch = false }) {
      const context = await browser.createBrowserContext();
      const page = await context.newPage();
      await page.setViewport({ width, height, deviceScaleFactor: ratio, hasTouch: touch });
      const webglWarnings = webglSince();
      await page.goto(url);
      return {
        ...pageTab(page, context),
        webglWarnings: async () => webglWarnings(),
        resize: (w, h) => page.setViewport({ width: w, height: h, deviceScaleFactor: ratio, hasTouch: touch }),
        wheel: async (x, y, dy) => {
          await page.mouse.move(x, y);
          await page.mouse.wheel({ deltaY: dy });
        },
        touchStart: (x, y) => page.touchscreen.touchStart(x, y),
        touchMove: (x, y) => page.touchscreen.touchMove(x, y),
        touchEnd: () => page.touchscreen.touchEnd(),
      };
    },
    async close() {
      await browser.close();
      await xvfb.stop();
    },
  };
}

const MINIBROWSER = "/usr/lib/x86_64-linux-gnu/webkit2gtk-4.1/MiniBrowser";

async function freePort() {
  const server = createServer();
  await new Promise((listening) => server.listen(0, "127.0.0.1", listening));
  const { port } = server.address();
  await new Promise((closed) => server.close(closed));
  return port;
}

// Resolves once something listens on `port`.
async function listening(port, what) {
  const deadline = Date.now() + 10000;
  for (;;) {
    const open = await new Promise((answer) => {
      const socket = connect(port, "127.0.0.1", () => answer(true) || socket.end());
      socket.once("error", () => answer(false));
    });
    if (open) return;
    if (Date.now() > deadline) throw new Error(`${what} never listened on port ${port}`);
    await sleep(50);
  }
}

async function launchWebKit() {
  // With no auto-repeat: a key held through xdotool repeats no more than another driver's does.
  const xvfb = await startXvfb(["-r"]);
  const port = await freePort();
  const webDriver = startGroup("WebKitWebDriver", [`--port=${port}`], {
    env: { ...process.env, DISPLAY: xvfb.display },
    stdio: "ignore",
  });
  const stopAll = async () => {
    await stop(webDriver);
    await xvfb.stop();
  };
  let driver;
  try {
    await listening(port, "WebKitWebDriver");
    driver = await new Builder()
      .usingServer(`http://127.0.0.1:${port}`)
      .withCapabilities({
        browserName: "MiniBrowser",
        "webkitgtk:browserOptions": { binary: MINIBROWSER, args: ["--automation"] },
      })
      .build();
  } catch (error) {
    await stopAll();
    throw error;
  }
  // Every input goes through the X server, as a user's would: keys, the pointer and the
  // window's size, with xdotool. The driver only loads pages, runs scripts and takes pictures.
  // (With its keys and resizes beside X's pointer, MiniBrowser at times stopped passing the
  // pointer on to the page; its own mouse releases every button as the left one.)
  const x = (command, ...args) => promisify(execFile)(command, args.map(String), { env: { ...process.env, DISPLAY: xvfb.display } });
  const xdotool = (...args) => x("xdotool", ...args);
  const evaluate = (fn, arg) => driver.executeScript(`return (${fn})(arguments[0]);`, arg);
  // X numbers the buttons from 1, the DOM from 0.
  const xButtons = { left: 1, middle: 2, right: 3 };
  const xKeys = {
    ArrowUp: "Up",
    ArrowDown: "Down",
    ArrowLeft: "Left",
    ArrowRight: "Right",
    Home: "Home",
    Tab: "Tab",
    Enter: "Return",
    " ": "space",
  };
  // MiniBrowser's one window, which keeps the keyboard's focus: there is no window manager to
  // give it.
  const xWindow = (await xdotool("search", "--onlyvisible", "--class", "MiniBrowser")).stdout.trim();
  await xdotool("windowfocus", "--sync", xWindow);
  await driver.get("about:blank");
  // The window is the viewport plus MiniBrowser's bar above it.
  const [outer, inner] = await Promise.all([
    xdotool("getwindowgeometry", "--shell", xWindow).then(({ stdout }) => ["WIDTH", "HEIGHT"].map((k) => Number(stdout.match(`${k}=(\\d+)`)[1]))),
    evaluate(() => [innerWidth, innerHeight]),
  ]);
  const bars = [outer[0] - inner[0], outer[1] - inner[1]];
  // Sizes the window to a viewport of `w` x `h` and waits until the page has it. The window is
  // never narrower than MiniBrowser asks of X (its bar's width), whatever X's size.
  const resize = async (w, h) => {
    const hints = await x("xprop", "-id", xWindow, "WM_NORMAL_HINTS");
    const narrowest = Number(hints.stdout.match(/minimum size: (\d+) by/)?.[1] ?? 0) - bars[0];
    const size = [Math.max(w, narrowest), h];
    await xdotool("windowsize", "--sync", xWindow, size[0] + bars[0], size[1] + bars[1]);
    await waitFor({ evaluate }, `a viewport of ${size.join(" x ")}`, ([w, h]) => innerWidth === w && innerHeight === h, size);
  };
  // The X pointer starts in the viewport's corner, as the other drivers' pointers do (Xvfb's
  // own start, the screen's middle, can be outside the window). Where it is, in the viewport:
  // moving it there again would send no event.
  const [left, top] = await evaluate(() => [screenX, screenY + outerHeight - innerHeight]);
  await xdotool("mousemove", left, top);
  let pointer = [0, 0];
  return {
    async open(url, { width, height }) {
      await driver.get("about:blank");
      await resize(width, height);
      await driver.get(url);
      // Sends X events and waits until the page has seen the last as `seen`, `times` times.
      const send = async (seen, times, ...args) => {
        await evaluate(() => (window.inputEvents = []));
        await xdotool(...args);
        const what = times > 1 ? `${seen} x ${times}` : seen;
        await waitFor({ evaluate }, what, ([event, n]) => inputEvents.filter((e) => e === event).length >= n, [seen, times]);
      };
      return {
        // Several presses go in one go, as fast as the other drivers send them.
        press: (key, times = 1) => send(`keyup ${key}`, times, "key", "--delay", 0, "--repeat", times, xKeys[key]),
        keyDown: (key) => send(`keydown ${key}`, 1, "keydown", xKeys[key]),
        keyUp: (key) => send(`keyup ${key}`, 1, "keyup", xKeys[key]),
        resize,
        async mouseMove(x, y) {
          const at = [Math.round(x), Math.round(y)];
          if (at.join() === pointer?.join()) return;
          pointer = at;
          await send(`mousemove ${at.join(" ")}`, 1, "mousemove", left + at[0], top + at[1]);
        },
        mouseDown: (button) => send(`mousedown ${xButtons[button] - 1}`, 1, "mousedown", xButtons[button]),
        mouseUp: (button) => send(`mouseup ${xButtons[button] - 1}`, 1, "mouseup", xButtons[button]),
        // X's buttons 4 and 5 are the wheel turned up and down.
        async wheel(x, y, dy) {
          await this.mouseMove(x, y);
          await send("wheel 0", 1, "click", dy > 0 ? 5 : 4);
        },
        evaluate,
        // Its driver gives nothing of what the browser says outside the page's console.
        webglWarnings: async () => [],
        // Its element screenshots of the canvas come out shifted: crop the viewport's instead.
        async canvasShot({ x, y, width: w, height: h }) {
          const whole = PNG.sync.read(Buffer.from(await driver.takeScreenshot(), "base64"));
          const part = new PNG({ width: Math.round(w), height: Math.round(h) });
          PNG.bitblt(whole, part, Math.round(x), Math.round(y), part.width, part.height, 0, 0);
          return PNG.sync.write(part);
        },
        // One window for every test: the next page replaces this one, with nothing kept for it.
        close: () => evaluate(() => sessionStorage.clear()),
      };
    },
    async close() {
      await driver.quit();
      await stopAll();
    },
  };
}

// Polls `fn` in the tab until it returns something truthy, which it resolves to; a page on its
// way to another (a reload) counts as not yet. `what` names it should it never come in `ms`.
export async function waitFor(tab, what, fn, arg, ms = 20000) {
  const deadline = Date.now() + ms;
  for (;;) {
    const value = await tab.evaluate(fn, arg).catch(() => undefined);
    if (value) return value;
    if (Date.now() > deadline) throw new Error(`timed out waiting for ${what}`);
    await sleep(50);
  }
}

// A served copy of the page with its test hooks and `engine`'s browser, for the tests of the
// suite that calls this: started before them, stopped after them. Its `server` and `browser`
// are there once the tests run.
export function recordedPageIn(engine) {
  const shared = {};
  before(async () => {
    shared.server = await serveRecordedPage();
    shared.browser = await launch(engine);
  });
  after(async () => {
    await shared.browser?.close();
    await shared.server?.stop();
  });
  return shared;
}

// Serves a copy of the built page whose index.html, the viewer's and the lab's, starts (after
// its charset) with test_hooks.js.
export async function serveRecordedPage() {
  const copy = mkdtempSync(join(tmpdir(), "car-page-"));
  const remove = () => rmSync(copy, { recursive: true, force: true });
  process.once("exit", remove);
  cpSync(pageDir, copy, { recursive: true });
  const hooks = readFileSync(new URL("test_hooks.js", import.meta.url), "utf8");
  const top = /<head>(\s*<meta charset[^>]*>)?/i;
  for (const index of [join(copy, "index.html"), join(copy, "lab/index.html")]) {
    const html = readFileSync(index, "utf8");
    writeFileSync(index, html.replace(top, (head) => `${head}\n<script>\n${hooks}</script>`));
  }
  const server = await startServer(copy);
  return {
    url: server.url,
    async stop() {
      await server.stop();
      remove();
    },
  };
}
