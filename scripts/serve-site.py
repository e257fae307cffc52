#!/usr/bin/env python3
# SPDX-FileCopyrightText: 2026 Quivra developers
# SPDX-License-Identifier: MIT

"""Serves a folder on 127.0.0.1 as a web host would: text and WebAssembly gzip-compressed
for a browser that accepts it, each file with its type. Pictures and fonts go as they are,
being compressed already.
    scripts/serve-site.py PORT FOLDER"""
import gzip
import http.server
import io
import os
import sys

COMPRESSED = (".html", ".css", ".js", ".wasm", ".webmanifest", ".svg")


class Handler(http.server.SimpleHTTPRequestHandler):
    # Keep-alive, as every host has: a page's dozen files share their connections.
    protocol_version = "HTTP/1.1"
    extensions_map = {
        **http.server.SimpleHTTPRequestHandler.extensions_map,
        ".js": "text/javascript",
        ".wasm": "application/wasm",
        ".webmanifest": "application/manifest+json",
    }

    def send_head(self):
        path = self.translate_path(self.path)
        if os.path.isdir(path):
            path = os.path.join(path, "index.html")
        accepts = "gzip" in self.headers.get("Accept-Encoding", "")
        if not (accepts and path.endswith(COMPRESSED) and os.path.isfile(path)):
            return super().send_head()
        with open(path, "rb") as file:
            body = gzip.compress(file.read(), 9, mtime=0)
        self.send_response(200)
        self.send_header("Content-Type", self.guess_type(path))
        self.send_header("Content-Encoding", "gzip")
        self.send_header("Content-Length", str(len(body)))
        self.send_header("Vary", "Accept-Encoding")
        self.end_headers()
        return io.BytesIO(body)

    def log_message(self, *args):
        pass


class Server(http.server.ThreadingHTTPServer):
    def handle_error(self, request, client_address):
        # A browser that drops a connection it no longer needs is no fault of ours.
        if not issubclass(sys.exc_info()[0], ConnectionError):
            super().handle_error(request, client_address)


if __name__ == "__main__":
    port, folder = int(sys.argv[1]), sys.argv[2]
    Server(("127.0.0.1", port), lambda *a, **k: Handler(*a, directory=folder, **k)).serve_forever()
