// SPDX-FileCopyrightText: 2026 QX5-holdet
// SPDX-License-Identifier: GPL-3.0-or-later

// The page's service worker on a school's server: it keeps the program's own files, and
// nothing else, so that the page opens and runs without a network. make_forms.py writes
// into it the list of the files (qx5Files) and the cache's name (qx5Cache), which carries a
// hash of their contents: a new version is a new cache.
/* eslint-env serviceworker */
/* global qx5Files, qx5Cache */
'use strict';

self.addEventListener('install', (event) => {
    // Past the browser's HTTP cache, so that the files are this version's.
    const requests = qx5Files.map((file) => new Request(file, {cache: 'reload'}));
    event.waitUntil(caches.open(qx5Cache)
        .then((cache) => cache.addAll(requests))
        .then(() => self.skipWaiting()));
});

// The files of earlier versions go. The page fetches nothing once it has loaded, so an
// open page of the old version misses none of them.
self.addEventListener('activate', (event) => {
    event.waitUntil(caches.keys()
        .then((names) => Promise.all(names
            .filter((name) => name.startsWith('qx5-') && name !== qx5Cache)
            .map((name) => caches.delete(name))))
        .then(() => self.clients.claim()));
});

// The page, at its folder's address or its own and with any query (a seed), and its files
// come from the cache; anything else goes to the network as if there were no worker.
self.addEventListener('fetch', (event) => {
    const request = event.request;
    if (request.method !== 'GET') {
        return;
    }
    const scope = new URL(self.registration.scope);
    const url = new URL(request.url);
    const page = request.mode === 'navigate' &&
        [scope.pathname, scope.pathname + 'index.html'].includes(url.pathname);
    event.respondWith(caches.open(qx5Cache)
        .then((cache) => cache.match(page ? 'index.html' : request))
        .then((kept) => kept || fetch(request)));
});
