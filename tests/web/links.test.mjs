// The page's ways on, in the page `scripts/web.sh serve` serves and in the one the release ships
// (its web tarball, made by the release's own step, `scripts/web.sh tarball`): each link goes
// to the address the build makes from the project's one address, and a click follows it. The
// forge itself is not reached: a click on its address is answered here, and the guide's file
// is looked for in the repository. A link into the page's own folder must load from there.
import assert from "node:assert/strict";
import { execFileSync } from "node:child_process";
import { existsSync, mkdtempSync, readFileSync, rmSync } from "node:fs";
import { tmpdir } from "node:os";
import { join } from "node:path";
import { after, before, describe, test } from "node:test";
import { fileURLToPath } from "node:url";
import { DEVICES, openPage, pageDir, startBrowser, startServer } from "./browser_page.mjs";

const repo = fileURLToPath(new URL("../..", import.meta.url));

// What the build knows: the project's address and version.
const cache = readFileSync(join(pageDir, "../CMakeCache.txt"), "utf8");
const cached = (name) => cache.match(new RegExp(`^${name}:STATIC=(.*)$`, "m"))[1];
const HOME = cached("CMAKE_PROJECT_HOMEPAGE_URL");
const VERSION = cached("CMAKE_PROJECT_VERSION");

// The ways on, in order, and where in the repository each is. The lab, in the page's own
// folder, is linked from the sentence on what the page is.
const WAYS_ON = [
  ["How the car is drawn", `${HOME}/blob/v${VERSION}/docs/drawing.md`, "docs/drawing.md"],
  ["Source", HOME],
  ["Downloads", `${HOME}/releases/tag/v${VERSION}`],
];

describe("the ways on", () => {
  let unpacked;
  let browser;
  before(async () => {
    unpacked = mkdtempSync(join(tmpdir(), "car-release-"));
    execFileSync(join(repo, "scripts/web.sh"), ["tarball", unpacked], {
      env: { ...process.env, SOURCE_DATE_EPOCH: "0" },
      stdio: ["ignore", "ignore", "inherit"],
    });
    execFileSync("tar", ["-xzf", join(unpacked, `car-${VERSION}-web.tar.gz`), "-C", unpacked]);
    browser = await startBrowser();
  });
  after(async () => {
    await browser?.close();
    if (unpacked) rmSync(unpacked, { recursive: true, force: true });
  });

  for (const [where, folder] of [
    ["the served page", () => pageDir],
    ["the release's web tarball", () => join(unpacked, `car-${VERSION}-web`)],
  ]) {
    test(`${where}: each link leads where the build says, and a click follows it`, async () => {
      assert.match(HOME, /^https:\/\/[^/]+\/\S+[^/]$/);
      for (const [, , file] of WAYS_ON) if (file) assert.ok(existsSync(join(repo, file)), `${file} is missing`);
      const server = await startServer(folder());
      const context = await browser.newContext(DEVICES.desktop);
      try {
        const { page, errors } = await openPage(context, server.url);
        const links = await page.getByRole("navigation", { name: "Ways on" }).getByRole("link").all();
        const found = await Promise.all(links.map(async (link) => [await link.innerText(), await link.evaluate((a) => a.href)]));
        assert.deepEqual(found, WAYS_ON.map(([name, href]) => [name, href]));
        // Every link on the page: into its own folder it must load; elsewhere it is a way on.
        const hrefs = await page.evaluate(() => [...document.links].map((a) => a.href));
        for (const href of hrefs) {
          if (href.startsWith(server.url)) {
            const status = await page.evaluate((url) => fetch(url).then((r) => r.status), href);
            assert.equal(status, 200, href);
          } else {
            assert.ok(WAYS_ON.some(([, way]) => way === href), `${href} is no way on`);
          }
        }
        // The forge, answered here: a click on each link loads its address in the same tab.
        await context.route(`${HOME}**`, (route) => route.fulfill({ contentType: "text/plain", body: "the forge" }));
        for (const [name, href] of WAYS_ON) {
          const tab = await context.newPage();
          await tab.goto(server.url);
          await Promise.all([tab.waitForURL(href), tab.getByRole("link", { name, exact: true }).click()]);
          assert.equal(await tab.innerText("body"), "the forge", name);
          await tab.close();
        }
        // The lab, in the page's own folder.
        const tab = await context.newPage();
        await tab.goto(server.url);
        await Promise.all([tab.waitForURL(`${server.url}lab/`), tab.getByRole("link", { name: "the lab", exact: true }).click()]);
        assert.equal(await tab.title(), "The program as written – Car lab");
        await tab.close();
        assert.deepEqual(errors, []);
      } finally {
        await context.close();
        await server.stop();
      }
    });
  }
});
