// The page's service worker: after the first visit every file of the page
// comes from its cache, so that Ventaro also works without a network. The
// build writes the list of files and a stand that changes with their
// contents; a new stand replaces the old cache.
const STAND = "__STAND__";
const DATEIEN = __DATEIEN__;
const SPEICHER = "ventaro-" + STAND;

self.addEventListener("install", (ereignis) => {
  ereignis.waitUntil(caches.open(SPEICHER).then((speicher) => speicher.addAll(DATEIEN)).then(() => self.skipWaiting()));
});

self.addEventListener("activate", (ereignis) => {
  ereignis.waitUntil(
    caches.keys()
      .then((namen) => Promise.all(namen.filter((n) => n.startsWith("ventaro-") && n !== SPEICHER).map((n) => caches.delete(n))))
      .then(() => self.clients.claim()),
  );
});

// From the cache first; what it lacks from the network.
self.addEventListener("fetch", (ereignis) => {
  if (ereignis.request.method !== "GET") return;
  ereignis.respondWith(
    caches.open(SPEICHER).then((speicher) =>
      speicher.match(ereignis.request, { ignoreSearch: true }).then((treffer) => treffer ?? fetch(ereignis.request)),
    ),
  );
});
