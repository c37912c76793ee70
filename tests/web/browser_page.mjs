// The page under test: served by web/serve.mjs on 127.0.0.1, opened in Debian's Chromium.
import { spawn } from "node:child_process";
import { mkdtempSync, rmSync } from "node:fs";
import { tmpdir } from "node:os";
import { join } from "node:path";
import { fileURLToPath } from "node:url";
import { chromium } from "playwright-core";
import { PNG } from "pngjs";

const repo = fileURLToPath(new URL("../..", import.meta.url));
export const pageDir = process.env.CAR_WEB_PAGE ?? join(repo, "build/web/page");

export const WIDTH = 800;
export const HEIGHT = 600;

// Never a browser of the tool's own: Debian's, rendering with SwiftShader, talking to nothing
// but the local server.
const chromiumArgs = [
  "--no-sandbox",
  "--use-angle=swiftshader",
  "--disable-background-networking",
  "--disable-component-update",
  "--disable-sync",
  "--no-first-run",
];

// Starts the server on a free port and resolves to its address once it prints it.
export function startServer() {
  const server = spawn(process.execPath, [join(repo, "web/serve.mjs"), pageDir, "0"], {
    stdio: ["ignore", "pipe", "inherit"],
  });
  return new Promise((resolve, reject) => {
    let output = "";
    server.stdout.on("data", (chunk) => {
      output += chunk;
      const address = output.match(/http:\/\/127\.0\.0\.1:\d+\//);
      if (address) resolve({ url: address[0], stop: () => server.kill() });
    });
    server.on("exit", (code) => reject(new Error(`server exited with ${code}: ${output}`)));
  });
}

// A browser with a new empty profile, removed again by close().
export async function startBrowser() {
  const profile = mkdtempSync(join(tmpdir(), "car-chromium-"));
  const context = await chromium.launchPersistentContext(profile, {
    executablePath: "/usr/bin/chromium",
    headless: true,
    args: chromiumArgs,
    viewport: { width: WIDTH, height: HEIGHT + 40 },
  });
  return {
    context,
    close: async () => {
      await context.close();
      rmSync(profile, { recursive: true, force: true });
    },
  };
}

// Opens the page and waits for its first frame. `errors` collects page errors and console
// errors; the GL emulation's notes arrive as warnings and are not among them.
export async function openPage(context, url, viewport = { width: WIDTH, height: HEIGHT + 40 }) {
  const page = await context.newPage();
  await page.setViewportSize(viewport);
  const errors = [];
  page.on("pageerror", (error) => errors.push(error.message));
  page.on("console", (message) => {
    if (message.type() === "error") errors.push(message.text());
  });
  await page.goto(url);
  const firstFrameMs = await (await page.waitForFunction(() => window.Module?.firstFrameMs)).jsonValue();
  return { page, errors, firstFrameMs };
}

// The canvas as shown, once two grabs in a row agree. The canvas sits at the page's top-left
// corner; a clip of the page (not an element shot, which comes out 801 x 601) is its picture.
export async function settledPicture(page) {
  const { width, height } = page.viewportSize();
  const clip = { x: 0, y: 0, width: Math.min(width, WIDTH), height: Math.min(height, HEIGHT) };
  const deadline = Date.now() + 10000;
  let last = await page.screenshot({ clip });
  for (;;) {
    const next = await page.screenshot({ clip });
    if (next.equals(last)) return PNG.sync.read(next);
    if (Date.now() > deadline) throw new Error("the picture never settled");
    last = next;
  }
}

export function colourAt(picture, [x, y]) {
  const i = (y * picture.width + x) * 4;
  return [picture.data[i], picture.data[i + 1], picture.data[i + 2]];
}
