#!/usr/bin/env python3
"""A small HTTP server for the download tests and the benchmark.

Listens on 127.0.0.1 on a free port, writes the port into the file named by
the first argument and serves until GET /quit or for at most LIFETIME seconds.
A request with an absolute URI is taken as a proxy request and needs
"Proxy-Authorization: Basic" for ostrel:secret.

  /bytes/N      N bytes, byte i is i % 256
  /range        the request's Range header, or "none"
  /status/C     status C with a short body
  /truncated    announces 1000 bytes, sends 100 and closes
  /slow/N       N chunks of 1025 bytes, one every 20 ms
  /stall        announces 100000 bytes, sends headers only and waits
  /chunked/N    N bytes in chunked encoding, 64 KiB every 10 ms (every
                OSTREL_CHUNK_PAUSE seconds when that is set)
  /chunked/endless  the same without end (until the client goes)
"""
import base64
import os
import sys
import threading
import time
from http.server import BaseHTTPRequestHandler, ThreadingHTTPServer
from urllib.parse import urlsplit

LIFETIME = 600
STALL_SECONDS = 30
CHUNK_PAUSE = float(os.environ.get("OSTREL_CHUNK_PAUSE", "0.01"))
PROXY_AUTH = "Basic " + base64.b64encode(b"ostrel:secret").decode()
PATTERN = bytes(range(256))


def pattern(n):
    return (PATTERN * (n // 256 + 1))[:n]


class Handler(BaseHTTPRequestHandler):
    protocol_version = "HTTP/1.1"

    def log_message(self, *args):
        pass

    def answer(self, status, body, length=None, headers=()):
        self.send_response(status)
        self.send_header("Content-Length", str(len(body) if length is None else length))
        for name, value in headers:
            self.send_header(name, value)
        self.end_headers()
        self.wfile.write(body)

    def do_GET(self):
        path = self.path
        if path.startswith("http://"):
            if self.headers.get("Proxy-Authorization") != PROXY_AUTH:
                self.answer(407, b"proxy says no", headers=[("Proxy-Authenticate", 'Basic realm="t"')])
                return
            self.answer(200, b"via proxy " + urlsplit(path).path.encode())
            return
        parts = path.strip("/").split("/")
        route, arg = parts[0], (parts[1] if len(parts) > 1 else "0")
        try:
            getattr(self, "route_" + route, self.route_missing)(arg)
        except (BrokenPipeError, ConnectionResetError):
            self.close_connection = True

    def route_missing(self, _):
        self.answer(404, b"no such thing")

    def route_bytes(self, n):
        self.answer(200, pattern(int(n)))

    def route_range(self, _):
        self.answer(200, self.headers.get("Range", "none").encode())

    def route_status(self, code):
        self.answer(int(code), b"error " + code.encode())

    def route_truncated(self, _):
        self.answer(200, pattern(100), length=1000)
        self.close_connection = True

    def route_slow(self, n):
        body = pattern(1025 * int(n))
        self.answer(200, b"", length=len(body))
        for i in range(0, len(body), 1025):
            time.sleep(0.02)
            self.wfile.write(body[i:i + 1025])
            self.wfile.flush()

    def route_stall(self, _):
        self.answer(200, b"", length=100000)
        self.wfile.flush()
        time.sleep(STALL_SECONDS)
        self.close_connection = True

    def route_chunked(self, n):
        self.send_response(200)
        self.send_header("Transfer-Encoding", "chunked")
        self.end_headers()
        left = float("inf") if n == "endless" else int(n)
        while left > 0:
            part = pattern(int(min(left, 65536)))
            self.wfile.write(b"%x\r\n%s\r\n" % (len(part), part))
            left -= len(part)
            time.sleep(CHUNK_PAUSE)
        self.wfile.write(b"0\r\n\r\n")

    def route_quit(self, _):
        self.answer(200, b"bye")
        threading.Thread(target=self.server.shutdown, daemon=True).start()


def main():
    # Started by a test program: hold none of its output pipes.
    devnull = os.open(os.devnull, os.O_RDWR)
    for fd in (0, 1, 2):
        os.dup2(devnull, fd)
    server = ThreadingHTTPServer(("127.0.0.1", 0), Handler)
    server.daemon_threads = True
    with open(sys.argv[1] + ".tmp", "w") as f:
        f.write(str(server.server_address[1]))
    os.replace(sys.argv[1] + ".tmp", sys.argv[1])
    threading.Timer(LIFETIME, server.shutdown).start()
    server.serve_forever()
    os._exit(0)


if __name__ == "__main__":
    main()
