// Serves the built page on 127.0.0.1 and prints its address.
// Usage: node serve.mjs [--lan] [--max-age SECONDS] DIR [PORT]
// Port 0 takes a free one. --lan listens on the machine's network addresses as well, and prints
// the first as text and as a QR code for a phone's camera. --max-age sends that Cache-Control
// header, as many static hosts do.
import { spawnSync } from "node:child_process";
import { statSync } from "node:fs";
import { readFile } from "node:fs/promises";
import { networkInterfaces } from "node:os";
import { extname, join, normalize } from "node:path";
import { createServer } from "node:http";
import { parseArgs } from "node:util";

const usage = "usage: node serve.mjs [--lan] [--max-age SECONDS] DIR [PORT]";
function fail(message) {
  console.error(message);
  process.exit(2);
}

let options;
try {
  options = parseArgs({
    allowPositionals: true,
    options: { lan: { type: "boolean" }, "max-age": { type: "string" } },
  });
} catch (error) {
  fail(`${error.message}\n${usage}`);
}
const [root, port = "8080", ...extra] = options.positionals;
const maxAge = options.values["max-age"];
if (!root || extra.length || !/^\d+$/.test(port) || (maxAge !== undefined && !/^\d+$/.test(maxAge))) fail(usage);
if (!statSync(root, { throwIfNoEntry: false })?.isDirectory()) fail(`Cannot serve ${root}: not a folder`);

const types = {
  ".html": "text/html; charset=utf-8",
  ".js": "text/javascript",
  ".wasm": "application/wasm",
  ".png": "image/png",
  ".webmanifest": "application/manifest+json",
};
const caching = maxAge === undefined ? {} : { "Cache-Control": `max-age=${maxAge}` };

const server = createServer(async (request, response) => {
  let path;
  try {
    path = new URL(request.url, "http://x").pathname;
  } catch {
    response.writeHead(400).end();
    return;
  }
  const file = join(root, normalize(path.endsWith("/") ? `${path}index.html` : path));
  try {
    const body = await readFile(file);
    response.writeHead(200, { "Content-Type": types[extname(file)] ?? "application/octet-stream", ...caching });
    response.end(body);
  } catch {
    response.writeHead(404).end();
  }
});

const host = options.values.lan ? "0.0.0.0" : "127.0.0.1";
server.on("error", (error) => {
  console.error(`Cannot serve on ${host}:${port}: ${error.message}`);
  process.exit(1);
});
server.listen(Number(port), host, () => {
  const { port } = server.address();
  console.log(`Serving the page at http://127.0.0.1:${port}/`);
  if (options.values.lan) printNetworkAddress(port);
});

function printNetworkAddress(port) {
  const addresses = Object.values(networkInterfaces())
    .flat()
    .filter((a) => a.family === "IPv4" && !a.internal);
  if (!addresses.length) {
    console.log("No network address found: only this machine reaches the page.");
    return;
  }
  const urls = addresses.map((a) => `http://${a.address}:${port}/`);
  console.log(`On the network: ${urls.join(" ")}`);
  const qr = spawnSync("qrencode", ["-t", "UTF8", "-m", "2", urls[0]], { encoding: "utf8" });
  console.log(qr.status === 0 ? qr.stdout : "(qrencode, from Debian's package of that name, prints a QR code here.)");
  console.log(
    "A page from a network address over plain HTTP works, but is not kept for offline use: " +
      "browsers allow that only on HTTPS or on localhost.",
  );
}
