// The page's server, web/serve.mjs: bad requests and bad arguments, and --lan, which a phone on
// the same network reaches through the address and QR code it prints.
import assert from "node:assert/strict";
import { execFileSync, spawnSync } from "node:child_process";
import { mkdtempSync, rmSync, writeFileSync } from "node:fs";
import { connect } from "node:net";
import { tmpdir } from "node:os";
import { join } from "node:path";
import { describe, test } from "node:test";
import { fileURLToPath } from "node:url";
import { PNG } from "pngjs";
import { DEVICES, openPage, settledPicture, startBrowser, startServer } from "./browser_page.mjs";
import { START_VIEW, assertProbes } from "./views.mjs";

const serve = fileURLToPath(new URL("../../web/serve.mjs", import.meta.url));

// Sends `text` as it is and resolves to the status line of the answer.
function rawRequest(port, text) {
  return new Promise((resolve, reject) => {
    const socket = connect(port, "127.0.0.1", () => socket.write(text));
    let answer = "";
    socket.on("data", (chunk) => {
      answer += chunk;
      if (answer.includes("\r\n")) {
        socket.destroy();
        resolve(answer.split("\r\n")[0]);
      }
    });
    socket.on("error", reject);
    socket.on("end", () => resolve(answer));
  });
}

// qrencode's text picture as an image: each character is two modules, one above the other,
// light where the block is drawn (it prints for a dark terminal). Four pixels a module, on a
// light border, as a camera would see it.
function qrPicture(lines) {
  const rows = lines.flatMap((line) => {
    const chars = [...line];
    return [chars.map((c) => c === "█" || c === "▀"), chars.map((c) => c === "█" || c === "▄")];
  });
  const scale = 4;
  const border = 4;
  const width = (rows[0].length + 2 * border) * scale;
  const height = (rows.length + 2 * border) * scale;
  const png = new PNG({ width, height });
  png.data.fill(255);
  rows.forEach((row, y) =>
    row.forEach((light, x) => {
      if (light) return;
      for (let dy = 0; dy < scale; dy++)
        for (let dx = 0; dx < scale; dx++) {
          const i = (((y + border) * scale + dy) * width + (x + border) * scale + dx) * 4;
          png.data.fill(0, i, i + 3);
        }
    }),
  );
  return PNG.sync.write(png);
}

describe("the page's server", () => {
  test("a malformed request gets a 400 and the server keeps serving", async () => {
    const server = await startServer();
    try {
      assert.equal(await rawRequest(server.port, "GET //[ HTTP/1.1\r\nHost: x\r\n\r\n"), "HTTP/1.1 400 Bad Request");
      const response = await fetch(server.url);
      assert.equal(response.status, 200);
    } finally {
      await server.stop();
    }
  });

  for (const [what, args] of [
    ["no folder", []],
    ["an empty folder argument", [""]],
  ]) {
    test(`${what} is a usage error at start`, () => {
      const run = spawnSync(process.execPath, [serve, ...args], { encoding: "utf8", timeout: 10000 });
      assert.equal(run.status, 2, run.stdout);
      assert.match(run.stderr, /usage: /);
      assert.equal(run.stdout, "");
    });
  }

  test("--lan prints a network address and a QR code of it; the page loads there", async (t) => {
    const server = await startServer(undefined, 0, ["--lan"]);
    const browser = await startBrowser();
    try {
      while (!/localhost/.test(server.printed())) await new Promise((r) => setTimeout(r, 50));
      const lines = server.printed().split("\n");
      const address = lines.join(" ").match(/On the network: (http:\/\/([\d.]+):\d+\/)/);
      assert.ok(address, server.printed());
      const [, url, ip] = address;
      assert.notEqual(ip.split(".")[0], "127");
      t.diagnostic(`served at ${url}`);

      const qr = lines.filter((line) => /^[█▀▄ ]+$/.test(line));
      assert.ok(qr.length > 10, "no QR code printed");
      const dir = mkdtempSync(join(tmpdir(), "car-qr-"));
      try {
        writeFileSync(join(dir, "qr.png"), qrPicture(qr));
        const read = execFileSync("zbarimg", ["--raw", "-q", "--nodbus", join(dir, "qr.png")], { encoding: "utf8" });
        assert.equal(read.trim(), url);
      } finally {
        rmSync(dir, { recursive: true, force: true });
      }
      assert.match(server.printed(), /plain HTTP works, but is not kept for offline use/);

      const context = await browser.newContext(DEVICES.phone);
      const { page, errors } = await openPage(context, url);
      assertProbes(await settledPicture(page), START_VIEW);
      assert.deepEqual(errors, []);
    } finally {
      await browser.close();
      await server.stop();
    }
  });
});
