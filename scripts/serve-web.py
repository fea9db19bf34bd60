#!/usr/bin/env python3
# serve-web.py: serves the browser build's pages (build/browser/web) over HTTP as a web server
# in front of them should: each file in the compressed form the browser accepts, as the build
# wrote it beside the file (NAME.br by Brotli, NAME.gz by gzip), with Content-Encoding and
# "Vary: Accept-Encoding"; the right Content-Type for WebAssembly and the web app manifest; and
# cache headers that let the browser keep every file but ask whether it changed before using it
# again (Cache-Control: no-cache, with an ETag answered by 304 Not Modified), so a rebuilt page
# is never taken from a stale cache while an unchanged one costs one short request per file.
#
#   scripts/serve-web.py [--port 8000] [--bind 127.0.0.1] [DIRECTORY]
#
# Port 0 picks a free port; the first line printed names the address. Depends only on Python's
# standard library. Limits: no Range requests and no HTTPS (a phone reaches the page's service
# worker only over HTTPS or on localhost, so put an HTTPS server in front for that).
import argparse
import email.utils
import http.server
import os
import sys
from pathlib import Path
from urllib.parse import unquote

TYPES = {
    ".html": "text/html; charset=utf-8",
    ".js": "text/javascript; charset=utf-8",
    ".css": "text/css; charset=utf-8",
    ".wasm": "application/wasm",
    ".data": "application/octet-stream",
    ".webmanifest": "application/manifest+json",
    ".json": "application/json",
    ".png": "image/png",
    ".svg": "image/svg+xml",
    ".txt": "text/plain; charset=utf-8",
}

# The compressed twins the build writes, best first, by the token of Accept-Encoding.
ENCODINGS = (("br", ".br"), ("gzip", ".gz"))


def accepted_encodings(header):
    """The content codings an Accept-Encoding header allows (those with q above 0)."""
    accepted = set()
    for part in (header or "").split(","):
        name, _, params = part.strip().partition(";")
        quality = 1.0
        for param in params.split(";"):
            key, _, value = param.strip().partition("=")
            if key == "q":
                try:
                    quality = float(value)
                except ValueError:
                    quality = 0.0
        if name and quality > 0:
            accepted.add(name.strip().lower())
    return accepted


class Handler(http.server.BaseHTTPRequestHandler):
    root = Path(".")
    server_version = "serve-web"
    # Connections stay open between requests (every answer says its length): a page's files
    # then cost no new connection each, which counts on a network with latency.
    protocol_version = "HTTP/1.1"
    # Headers and body go out at once, not held back waiting for an acknowledgement (Nagle).
    disable_nagle_algorithm = True

    def do_GET(self):
        self.serve(send_body=True)

    def do_HEAD(self):
        self.serve(send_body=False)

    def log_message(self, format, *args):  # noqa: A002 (the base class's name)
        if os.environ.get("VORBL_SERVE_QUIET") != "1":
            super().log_message(format, *args)

    def resolve(self):
        """The file the request names below the root, or None."""
        path = self.path.split("?", 1)[0].split("#", 1)[0]
        path = unquote(path)
        if path.endswith("/"):
            path += "index.html"
        file = (self.root / path.lstrip("/")).resolve()
        if file != self.root and self.root not in file.parents:
            return None
        return file if file.is_file() else None

    def serve(self, send_body):
        file = self.resolve()
        if file is None:
            self.send_error(404)
            return
        sent, encoding = file, None
        accepted = accepted_encodings(self.headers.get("Accept-Encoding"))
        has_twins = False
        for token, suffix in ENCODINGS:
            twin = file.with_name(file.name + suffix)
            if twin.is_file():
                has_twins = True
                if encoding is None and token in accepted:
                    sent, encoding = twin, token
        stat = sent.stat()
        etag = '"%x-%x%s"' % (stat.st_mtime_ns, stat.st_size, "-" + encoding if encoding else "")
        headers = {
            "Content-Type": TYPES.get(file.suffix, "application/octet-stream"),
            "Cache-Control": "no-cache",
            "ETag": etag,
            "Last-Modified": email.utils.formatdate(stat.st_mtime, usegmt=True),
        }
        if has_twins:
            headers["Vary"] = "Accept-Encoding"
        if encoding:
            headers["Content-Encoding"] = encoding
        if etag in [tag.strip() for tag in self.headers.get("If-None-Match", "").split(",")]:
            self.send_response(304)
            for name, value in headers.items():
                if name not in ("Content-Type", "Content-Encoding"):
                    self.send_header(name, value)
            self.end_headers()
            return
        body = sent.read_bytes()
        self.send_response(200)
        for name, value in headers.items():
            self.send_header(name, value)
        self.send_header("Content-Length", str(len(body)))
        self.end_headers()
        if send_body:
            self.wfile.write(body)


def main():
    parser = argparse.ArgumentParser(description="Serve the browser build's pages.")
    parser.add_argument("directory", nargs="?", default="build/browser/web")
    parser.add_argument("--port", type=int, default=8000)
    parser.add_argument("--bind", default="127.0.0.1")
    options = parser.parse_args()
    root = Path(options.directory).resolve()
    if not (root / "index.html").is_file():
        sys.exit(f"{root} has no index.html: build the pages first (cmake --build --preset browser)")
    Handler.root = root
    server = http.server.ThreadingHTTPServer((options.bind, options.port), Handler)
    host, port = server.server_address[:2]
    print(f"Serving {root} at http://{host}:{port}/", flush=True)
    try:
        server.serve_forever()
    except KeyboardInterrupt:
        pass
    finally:
        server.server_close()


if __name__ == "__main__":
    main()
