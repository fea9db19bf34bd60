#!/usr/bin/env python3
# finish_pages.py: the last step of the browser build, run after every page program is linked:
# writes the service worker (service_worker.js.in) keyed by a hash of the built files, and a
# Brotli (NAME.br) and a gzip (NAME.gz) copy of every file a page can load, for a server to send
# to browsers that accept them (scripts/serve-web.py does).
#
#   finish_pages.py WEB_DIR TEMPLATE BROTLI GZIP GAME_FILE...
#
# GAME_FILE: the files the worker keeps at once, relative to WEB_DIR (the game's page and what it
# loads). Depends on Python's standard library and Debian's brotli and gzip programs. Limits: a
# compressed copy that is not smaller than its file is not kept (PNG pictures); a copy newer
# than its file is not written again.
import hashlib
import json
import subprocess
import sys
from pathlib import Path

# What the pages load; anything else in the directory (CMake's own files) is not the site's.
SITE_SUFFIXES = {".html", ".js", ".css", ".wasm", ".data", ".webmanifest", ".png"}
WORKER = "service_worker.js"


def site_files(web_dir):
    files = []
    for path in sorted(web_dir.rglob("*")):
        relative = path.relative_to(web_dir)
        if (path.is_file() and path.suffix in SITE_SUFFIXES and relative.parts[0] != "CMakeFiles"
                and relative.as_posix() != WORKER):
            files.append(path)
    return files


def build_hash(web_dir, files):
    digest = hashlib.sha256()
    for path in files:
        digest.update(path.relative_to(web_dir).as_posix().encode() + b"\0")
        digest.update(hashlib.sha256(path.read_bytes()).digest())
    return digest.hexdigest()[:16]


def write_worker(web_dir, template, build, game_files):
    for file in game_files:
        if file != "./" and not (web_dir / file).is_file():
            sys.exit(f"finish_pages.py: {file} is not in {web_dir}")
    text = template.read_text(encoding="utf-8")
    text = text.replace("@BUILD@", build).replace("@GAME_FILES@", json.dumps(game_files))
    worker = web_dir / WORKER
    if not worker.is_file() or worker.read_text(encoding="utf-8") != text:
        worker.write_text(text, encoding="utf-8")
    return worker


def compress(path, command, suffix):
    twin = path.with_name(path.name + suffix)
    if twin.is_file() and twin.stat().st_mtime_ns >= path.stat().st_mtime_ns:
        return
    with open(twin, "wb") as output:
        subprocess.run(command + [str(path)], stdout=output, check=True)
    if twin.stat().st_size >= path.stat().st_size:
        twin.unlink()


def main():
    if len(sys.argv) < 6:
        sys.exit("usage: finish_pages.py WEB_DIR TEMPLATE BROTLI GZIP GAME_FILE...")
    web_dir, template = Path(sys.argv[1]), Path(sys.argv[2])
    brotli, gzip = sys.argv[3], sys.argv[4]
    files = site_files(web_dir)
    build = build_hash(web_dir, files)
    files.append(write_worker(web_dir, template, build, sys.argv[5:]))
    for path in files:
        compress(path, [brotli, "--quality=11", "--stdout"], ".br")
        compress(path, [gzip, "-9", "--no-name", "--stdout"], ".gz")
    print(f"finish_pages.py: build {build}, {len(files)} files with compressed copies")


if __name__ == "__main__":
    main()
