// SPDX-License-Identifier: MIT
// Keeps the page's own files, so that after the first visit the calculator opens offline.
// Nothing about the user is kept: the cells live only in the open page. scripts/web.sh
// names the cache after the files' contents, so a new build replaces the old one.
const CACHE = 'velmora-@CONTENTS@';
const FILES = ['./', 'index.html', 'manifest.webmanifest', 'icon-180.png', 'icon-192.png',
               'icon-512.png'];

self.addEventListener('install', (event) => {
  event.waitUntil(caches.open(CACHE).then((cache) => cache.addAll(FILES))
                      .then(() => self.skipWaiting()));
});

self.addEventListener('activate', (event) => {
  event.waitUntil(caches.keys()
                      .then((keys) => Promise.all(keys.filter((key) => key !== CACHE)
                                                      .map((key) => caches.delete(key))))
                      .then(() => self.clients.claim()));
});

self.addEventListener('fetch', (event) => {
  event.respondWith(caches.match(event.request, {ignoreSearch: true})
                        .then((cached) => cached || fetch(event.request)));
});
