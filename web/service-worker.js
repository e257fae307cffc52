// SPDX-FileCopyrightText: 2026 Quivra developers
// SPDX-License-Identifier: MIT

// Keeps the whole site for play without network. scripts/web.sh writes the two constants above
// this from the built site: every file in it, and a cache named after their bytes, so each new
// build installs into a cache of its own and the old one is dropped when the new one takes over.
"use strict";

self.addEventListener("install", (event) => {
  // no-cache: the bytes kept must be this build's, never an older copy in the HTTP cache.
  event.waitUntil(
    caches
      .open(cacheName)
      .then((cache) => cache.addAll(files.map((file) => new Request(file, { cache: "no-cache" }))))
      .then(() => self.skipWaiting()),
  );
});

// Taking over at once is safe: a page asks for its code and its first picture as it starts,
// before a new worker has finished fetching the build, and a picture asked for later comes
// from the network when the old cache has gone.
self.addEventListener("activate", (event) => {
  event.waitUntil(
    caches
      .keys()
      .then((names) =>
        Promise.all(
          names
            .filter((name) => name.startsWith("quivra-") && name !== cacheName)
            .map((name) => caches.delete(name)),
        ),
      )
      .then(() => self.clients.claim()),
  );
});

// The cache first; a navigation to the site's folder is its index.html.
self.addEventListener("fetch", (event) => {
  const { request } = event;
  if (request.method !== "GET" || new URL(request.url).origin !== location.origin) return;
  event.respondWith(
    caches
      .open(cacheName)
      .then(
        async (cache) =>
          (await cache.match(request, { ignoreSearch: true })) ||
          (request.mode === "navigate" && (await cache.match("index.html"))) ||
          fetch(request),
      ),
  );
});
