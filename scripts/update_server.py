#!/usr/bin/env python3
"""A local update server for Ostrel, reached as an HTTP proxy.

usage: update_server.py FOLDER PORT_FILE

Ostrel asks for http://<update host>/Dalvoro/Ostrel/updates/v_1_0/<name>
through the proxy named by http_proxy; every request is answered from
FOLDER, whatever the host. A folder that ostrel-publish wrote is served as
it stands: nowupdate.txt, upd<N>.zip, upd<N>.zip.sig and info.txt, bytes as
they are. Where one of those is missing:

  nowupdate.txt   FOLDER/version (bytes as they are)
  upd<N>.zip      a zip of everything under FOLDER/archive/, made afresh

FOLDER/fault, when present, names one way to fail, read on every request
(the archive faults spoil only an archive made afresh):
  version-404, archive-500, archive-truncated, archive-slow,
  archive-hostile (the zip gets an entry "../escaped.txt"),
  version-endless, archive-endless, news-endless (a chunked body that
  never ends, 64 KiB every 10 ms).

The server listens on 127.0.0.1 on a free port, writes the port into
PORT_FILE and ends on GET /quit, or after an hour."""
import io
import os
import pathlib
import re
import sys
import threading
import time
import zipfile
from http.server import BaseHTTPRequestHandler, ThreadingHTTPServer
from urllib.parse import urlsplit

LIFETIME = 3600
BASE = "/Dalvoro/Ostrel/updates/v_1_0/"
PUBLISHED = re.compile(r"(nowupdate\.txt|info\.txt|upd[0-9]+\.zip(\.sig)?)\Z")
folder = pathlib.Path(sys.argv[1])


def fault():
    path = folder / "fault"
    return path.read_text().strip() if path.exists() else ""


def archive(hostile):
    data = io.BytesIO()
    with zipfile.ZipFile(data, "w", zipfile.ZIP_DEFLATED) as z:
        root = folder / "archive"
        for path in sorted(root.rglob("*")):
            if path.is_file():
                z.write(path, path.relative_to(root).as_posix())
        if hostile:
            z.writestr("../escaped.txt", "out of the program folder")
    return data.getvalue()


class Handler(BaseHTTPRequestHandler):
    protocol_version = "HTTP/1.1"

    def log_message(self, *args):
        pass

    def answer(self, status, body, length=None):
        self.send_response(status)
        self.send_header("Content-Length", str(len(body) if length is None else length))
        self.end_headers()
        self.wfile.write(body)

    def do_GET(self):
        path = urlsplit(self.path).path
        if path == "/quit":
            self.answer(200, b"bye")
            threading.Thread(target=self.server.shutdown, daemon=True).start()
            return
        name = path[len(BASE):] if path.startswith(BASE) else ""
        mode = fault()
        kind = {"nowupdate.txt": "version", "info.txt": "news"}.get(name, "archive" if name.startswith("upd") else "")
        published = folder / name if PUBLISHED.match(name) else None
        try:
            if mode == kind + "-endless":
                self.endless()
            elif name == "nowupdate.txt" and mode == "version-404":
                self.answer(404, b"not found")
            elif published and published.is_file():
                self.answer(200, published.read_bytes())
            elif name == "nowupdate.txt":
                self.answer(200, (folder / "version").read_bytes())
            elif name.startswith("upd") and name.endswith(".zip"):
                self.send_archive(mode)
            else:
                self.answer(404, b"not found")
        except (BrokenPipeError, ConnectionResetError):
            self.close_connection = True

    def endless(self):
        self.send_response(200)
        self.send_header("Transfer-Encoding", "chunked")
        self.end_headers()
        chunk = b"%x\r\n" % 65536 + bytes(65536) + b"\r\n"
        while True:
            self.wfile.write(chunk)
            time.sleep(0.01)

    def send_archive(self, mode):
        if mode == "archive-500":
            self.answer(500, b"server error")
            return
        body = archive(mode == "archive-hostile")
        if mode == "archive-truncated":
            self.answer(200, body[: len(body) // 2], length=len(body))
            self.close_connection = True
            return
        if mode != "archive-slow":
            self.answer(200, body)
            return
        self.answer(200, b"", length=len(body) * 100)
        for _ in range(600):  # a minute at most
            time.sleep(0.1)
            self.wfile.write(body[:1024])
            self.wfile.flush()


def main():
    # Started by a test program or a script: hold none of its streams.
    devnull = os.open(os.devnull, os.O_RDWR)
    for fd in (0, 1, 2):
        os.dup2(devnull, fd)
    server = ThreadingHTTPServer(("127.0.0.1", 0), Handler)
    server.daemon_threads = True
    with open(sys.argv[2] + ".tmp", "w") as f:
        f.write(str(server.server_address[1]))
    os.replace(sys.argv[2] + ".tmp", sys.argv[2])
    threading.Timer(LIFETIME, server.shutdown).start()
    server.serve_forever()
    os._exit(0)


if __name__ == "__main__":
    main()
