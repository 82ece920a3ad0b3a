#!/usr/bin/env python3
# SPDX-License-Identifier: GPL-3.0-or-later
# SPDX-FileCopyrightText: 2026 MORVANE contributors

"""Packs PNG images into one Windows icon file: png-to-ico.py OUTPUT.ico IMAGE.png...

Each image keeps its PNG bytes, which Windows reads in icons since Vista; sizes come from
the PNG header (256 and larger are written as 0, the icon format's way of saying 256)."""
import struct
import sys


def png_size(data):
    if data[:8] != b"\x89PNG\r\n\x1a\n":
        raise SystemExit("not a PNG image")
    return struct.unpack(">II", data[16:24])


def main():
    output, images = sys.argv[1], [open(path, "rb").read() for path in sys.argv[2:]]
    header = struct.pack("<HHH", 0, 1, len(images))
    offset = len(header) + 16 * len(images)
    entries, blobs = b"", b""
    for data in images:
        width, height = png_size(data)
        entries += struct.pack("<BBBBHHII", width % 256, height % 256, 0, 0, 1, 32, len(data),
                               offset + len(blobs))
        blobs += data
    with open(output, "wb") as ico:
        ico.write(header + entries + blobs)


if __name__ == "__main__":
    main()
