// Serves the built page on 127.0.0.1 and prints its address. Usage: node serve.mjs DIR [PORT]
// (port 0 takes a free one).
import { createServer } from "node:http";
import { readFile } from "node:fs/promises";
import { extname, join, normalize } from "node:path";

const [root, port = "8080"] = process.argv.slice(2);
const types = {
  ".html": "text/html; charset=utf-8",
  ".js": "text/javascript",
  ".wasm": "application/wasm",
  ".png": "image/png",
  ".webmanifest": "application/manifest+json",
};

const server = createServer(async (request, response) => {
  const path = new URL(request.url, "http://x").pathname;
  const file = join(root, normalize(path === "/" ? "/index.html" : path));
  try {
    const body = await readFile(file);
    response.writeHead(200, { "Content-Type": types[extname(file)] ?? "application/octet-stream" });
    response.end(body);
  } catch {
    response.writeHead(404).end();
  }
});

server.on("error", (error) => {
  console.error(`Cannot serve on 127.0.0.1:${port}: ${error.message}`);
  process.exit(1);
});
server.listen(Number(port), "127.0.0.1", () => {
  console.log(`Serving the page at http://127.0.0.1:${server.address().port}/`);
});
