// Keeps the page for use offline. The network comes first, so an online visit always gets
// the files as built; the cache answers when the network does not. The build names the cache
// after its files' contents: a new build installs a new cache and drops the old one. The cache
// list belongs to the whole host, which may hold other copies of the page and other apps:
// only this copy's own caches, named after its scope, are ever dropped.
const prefix = `car ${self.registration.scope} `;
const cacheName = `${prefix}@PAGE_HASH@`;
const files = ["./", ..."@PAGE_FILES@".split(" ")];

// Past the HTTP cache: a host's max-age would otherwise fill the new cache with the old build.
self.addEventListener("install", (event) => {
  const fresh = files.map((file) => new Request(file, { cache: "no-store" }));
  event.waitUntil(caches.open(cacheName).then((cache) => cache.addAll(fresh)).then(() => self.skipWaiting()));
});

self.addEventListener("activate", (event) => {
  const stale = (names) => names.filter((name) => name.startsWith(prefix) && name !== cacheName);
  event.waitUntil(
    caches
      .keys()
      .then((names) => Promise.all(stale(names).map((name) => caches.delete(name))))
      .then(() => self.clients.claim()),
  );
});

// Offline, what is not kept is a network error, as it would be with no service worker.
self.addEventListener("fetch", (event) => {
  if (event.request.method !== "GET") return;
  event.respondWith(
    fetch(event.request).catch(() =>
      caches
        .open(cacheName)
        .then((cache) => cache.match(event.request, { ignoreSearch: true }))
        .then((kept) => kept ?? Response.error()),
    ),
  );
});
