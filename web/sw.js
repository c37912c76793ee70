// Keeps the page for use offline. The network comes first, so an online visit always gets
// the files as built; the cache answers when the network does not. The build names the cache
// after its files' contents: a new build installs a new cache and drops the old one.
const cacheName = "car-@PAGE_HASH@";
const files = ["./", "index.html", "index.js", "index.wasm", "page.js", "manifest.webmanifest"];

self.addEventListener("install", (event) => {
  event.waitUntil(caches.open(cacheName).then((cache) => cache.addAll(files)).then(() => self.skipWaiting()));
});

self.addEventListener("activate", (event) => {
  const stale = (names) => names.filter((name) => name !== cacheName);
  event.waitUntil(
    caches
      .keys()
      .then((names) => Promise.all(stale(names).map((name) => caches.delete(name))))
      .then(() => self.clients.claim()),
  );
});

self.addEventListener("fetch", (event) => {
  if (event.request.method !== "GET") return;
  event.respondWith(
    fetch(event.request).catch(() =>
      caches.open(cacheName).then((cache) => cache.match(event.request, { ignoreSearch: true })),
    ),
  );
});
