// The page's service worker: it keeps a copy of the site, so that a second
// visit plays without a network. Every answer comes from the network while
// there is one (a new build is seen at once) and is kept; the kept copy
// answers when the network does not. On installing, it keeps what the page
// has just loaded (the browser's cache mostly has it): the page, the program
// and the data files, but not the music, which is kept once it is played.
"use strict";
const CACHE = "snolk";

self.addEventListener("install", (event) => {
  event.waitUntil((async () => {
    const cache = await caches.open(CACHE);
    const list = await fetch(new Request("files.txt", { cache: "force-cache" }));
    await cache.put("files.txt", list.clone());
    const paths = (await list.text()).split("\n").map((line) => line.split(" ")[0])
      .filter((path) => path && !/\.mp3$/.test(path));
    await cache.addAll(["index.html", "snolk.js", ...paths].map(
      (path) => new Request(path, { cache: "force-cache" })));
    await self.skipWaiting();
  })());
});

self.addEventListener("activate", (event) => {
  event.waitUntil(self.clients.claim());
});

self.addEventListener("fetch", (event) => {
  const request = event.request;
  if (request.method !== "GET" || new URL(request.url).origin !== self.location.origin) {
    return;
  }
  event.respondWith((async () => {
    try {
      const response = await fetch(request);
      if (response.status === 200) {
        const copy = response.clone();
        event.waitUntil(caches.open(CACHE).then((cache) => cache.put(request, copy)));
      }
      return response;
    } catch (offline) {
      const kept = (await caches.match(request, { ignoreSearch: true })) ||
        (request.mode === "navigate" ? await caches.match("index.html") : undefined);
      return kept || Response.error();
    }
  })());
});
