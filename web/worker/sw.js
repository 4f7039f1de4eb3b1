// Kalvero's service worker: the page and its module from the cache, so that
// the page starts with no network. A new page comes as a new worker (its
// version below changes with any file), which the browser installs beside
// the running one and starts only once every window of the old page is
// closed: the next start takes it, never the work of the running one. It
// fetches nothing but the page's own files, from where the page came from.
const Version = '@VERSION@';
const Files = [@FILES@];
const Cache = `kalvero-${Version}`;

self.addEventListener('install', (event) => {
  event.waitUntil(caches.open(Cache).then((cache) => cache.addAll(['./', ...Files])));
});

self.addEventListener('activate', (event) => {
  event.waitUntil((async () => {
    for (const name of await caches.keys()) {
      if (name.startsWith('kalvero-') && name !== Cache) await caches.delete(name);
    }
    // The first page of all runs under the worker at once, so that it works
    // offline without a reload; a later worker only ever starts here with
    // no page of the old one open.
    await self.clients.claim();
  })());
});

self.addEventListener('fetch', (event) => {
  if (event.request.method !== 'GET') return;
  event.respondWith((async () => {
    const cache = await caches.open(Cache);
    const cached = await cache.match(event.request, { ignoreSearch: true });
    return cached ?? fetch(event.request);
  })());
});
