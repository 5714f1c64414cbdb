#!/usr/bin/env python3
"""Writes a Windows icon file from square PNG pictures: makeico.py <out.ico> <png>...

Each picture goes in as it is (PNG inside ICO, which Windows reads since Vista), so the
icon shows the very pixels the game's own window icon shows."""
import struct
import sys


def png_size(data):
    if data[:8] != b"\x89PNG\r\n\x1a\n" or data[12:16] != b"IHDR":
        raise SystemExit("makeico.py: not a PNG picture")
    return struct.unpack(">II", data[16:24])


def main():
    out, pictures = sys.argv[1], sys.argv[2:]
    images = []
    for path in pictures:
        with open(path, "rb") as f:
            data = f.read()
        width, height = png_size(data)
        if width != height or width > 256:
            raise SystemExit(f"makeico.py: {path} is {width}x{height}; an icon is square, 256 px at most")
        images.append((width, data))
    images.sort()
    header = struct.pack("<HHH", 0, 1, len(images))
    offset = len(header) + 16 * len(images)
    entries = b""
    for size, data in images:
        # 256 is written as 0 in the one-byte width and height.
        entries += struct.pack("<BBBBHHII", size % 256, size % 256, 0, 0, 1, 32, len(data), offset)
        offset += len(data)
    with open(out, "wb") as f:
        f.write(header + entries + b"".join(data for _, data in images))


if __name__ == "__main__":
    main()
