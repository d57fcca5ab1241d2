#!/usr/bin/env python3
"""Serves the web edition's folder on the loopback interface only, with the
media types the page needs whatever the machine's MIME tables say.

usage: serve_web.py FOLDER [PORT]"""

import functools
import http.server
import socket
import sys


class Handler(http.server.SimpleHTTPRequestHandler):
    # Keep-alive: a page of a dozen files needs no new connection for each.
    protocol_version = 'HTTP/1.1'

    def setup(self):
        super().setup()
        # Headers and body go out in separate writes; without this the
        # second waits for the browser's delayed acknowledgement.
        self.connection.setsockopt(socket.IPPROTO_TCP, socket.TCP_NODELAY, 1)
    extensions_map = {
        **http.server.SimpleHTTPRequestHandler.extensions_map,
        '.html': 'text/html; charset=utf-8',
        '.css': 'text/css; charset=utf-8',
        '.js': 'text/javascript; charset=utf-8',
        '.wasm': 'application/wasm',
        '.webmanifest': 'application/manifest+json',
        '.svg': 'image/svg+xml',
    }


def main():
    folder = sys.argv[1]
    port = int(sys.argv[2]) if len(sys.argv) > 2 else 8000
    handler = functools.partial(Handler, directory=folder)
    with http.server.ThreadingHTTPServer(('127.0.0.1', port), handler) as server:
        print(f'wavywall web edition: http://127.0.0.1:{port}/ (Ctrl+C ends)', flush=True)
        try:
            server.serve_forever()
        except KeyboardInterrupt:
            pass


if __name__ == '__main__':
    main()
