#!/usr/bin/env python3
"""Writes the small image files of this game test into data/ (run once; the output is kept)."""
import os
import struct
import zlib

here = os.path.dirname(os.path.abspath(__file__))
data = os.path.join(here, "data")


def chunk(kind, body):
    return struct.pack(">I", len(body)) + kind + body + struct.pack(">I", zlib.crc32(kind + body))


def png(name, width, height, channels, pixel):
    """pixel(x, y) returns a tuple of channels bytes."""
    color_type = {3: 2, 4: 6}[channels]
    rows = b"".join(b"\0" + bytes(v for x in range(width) for v in pixel(x, y)) for y in range(height))
    header = struct.pack(">IIBBBBB", width, height, 8, color_type, 0, 0, 0)
    body = chunk(b"IHDR", header) + chunk(b"IDAT", zlib.compress(rows, 9)) + chunk(b"IEND", b"")
    write(name, b"\x89PNG\r\n\x1a\n" + body)


def dds(name, width, height, levels, faces, four_cc=b"DXT1", pixel_flags=0x4):
    flags = 0x1 | 0x2 | 0x4 | 0x1000 | (0x20000 if levels > 1 else 0)
    caps = 0x1000 | (0x8 | 0x400000 if levels > 1 else 0) | (0x8 if faces == 6 else 0)
    caps2 = 0xFE00 if faces == 6 else 0
    header = bytearray(128)
    header[0:4] = b"DDS "
    struct.pack_into("<IIIII", header, 4, 124, flags, height, width, 0)
    struct.pack_into("<I", header, 28, levels if levels > 1 else 0)
    struct.pack_into("<II4s", header, 76, 32, pixel_flags, four_cc)
    struct.pack_into("<II", header, 108, caps, caps2)
    payload = b""
    for _ in range(faces):
        w, h = width, height
        for _ in range(levels):
            payload += bytes(((w + 3) // 4) * ((h + 3) // 4) * 8)
            w, h = max(w // 2, 1), max(h // 2, 1)
    write(name, bytes(header) + payload)


def write(name, content):
    with open(os.path.join(data, name), "wb") as f:
        f.write(content)


os.makedirs(data, exist_ok=True)
png("photo.png", 640, 480, 4, lambda x, y: (200, 100, 50, 128 if x < 320 else 255))
png("tiles.png", 100, 70, 3, lambda x, y: (200, x // 20 * 40, y // 20 * 40))
# Two 16 x 16 frames side by side, each closed by a magenta column.
png("sheet.png", 34, 16, 3, lambda x, y: (255, 0, 255) if x % 17 == 16 else (10, 20, 30))
png("wide.png", 4096, 2, 3, lambda x, y: (1, 2, 3))
write("corrupt.png", b"\x89PNG\r\n\x1a\n" + bytes(range(256)) * 4)
write("truncated.png", open(os.path.join(data, "photo.png"), "rb").read()[:200])
dds("mipmapped.dds", 8, 8, 4, 1)  # levels 8x8, 4x4, 2x2, 1x1: 32 + 8 + 8 + 8 bytes
dds("cube.dds", 4, 4, 1, 6)  # six 4 x 4 faces of 8 bytes
dds("plain.dds", 4, 4, 1, 1, b"\0\0\0\0", 0x40)  # uncompressed RGB
