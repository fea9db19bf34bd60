#!/usr/bin/env python3
# icon_png.py: a binary PPM picture (web/page_icon.cpp's output) written as a PNG file, each
# pixel repeated SCALE times across and down (so the largest icon the canvas can draw also makes
# the double-sized one the web app manifest asks for, with sharp pixels).
#
#   icon_png.py INPUT.ppm OUTPUT.png [SCALE]
#
# Depends only on Python's standard library (zlib). Limits: 8-bit RGB PPM ("P6", maxval 255)
# without comments, which is what page_icon writes.
import struct
import sys
import zlib


def read_ppm(path):
    with open(path, "rb") as file:
        data = file.read()
    fields = data.split(maxsplit=4)
    if len(fields) < 5 or fields[0] != b"P6" or fields[3] != b"255":
        raise ValueError(f"{path} is not an 8-bit binary PPM picture")
    width, height = int(fields[1]), int(fields[2])
    pixels = fields[4]
    if len(pixels) != width * height * 3:
        raise ValueError(f"{path} holds {len(pixels)} bytes of pixels, not {width * height * 3}")
    return width, height, pixels


def chunk(kind, body):
    return (struct.pack(">I", len(body)) + kind + body +
            struct.pack(">I", zlib.crc32(kind + body) & 0xFFFFFFFF))


def png_bytes(width, height, pixels, scale):
    rows = []
    for y in range(height):
        row = pixels[y * width * 3:(y + 1) * width * 3]
        wide = b"".join(row[x * 3:x * 3 + 3] * scale for x in range(width))
        rows.extend([b"\0" + wide] * scale)  # filter type 0 (none) on every row
    header = struct.pack(">IIBBBBB", width * scale, height * scale, 8, 2, 0, 0, 0)
    return (b"\x89PNG\r\n\x1a\n" + chunk(b"IHDR", header) +
            chunk(b"IDAT", zlib.compress(b"".join(rows), 9)) + chunk(b"IEND", b""))


def main():
    if len(sys.argv) not in (3, 4):
        sys.exit("usage: icon_png.py INPUT.ppm OUTPUT.png [SCALE]")
    scale = int(sys.argv[3]) if len(sys.argv) == 4 else 1
    width, height, pixels = read_ppm(sys.argv[1])
    with open(sys.argv[2], "wb") as file:
        file.write(png_bytes(width, height, pixels, scale))


if __name__ == "__main__":
    main()
