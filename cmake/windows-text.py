#!/usr/bin/env python3
# SPDX-License-Identifier: GPL-3.0-or-later
# SPDX-FileCopyrightText: 2026 MORVANE contributors

"""Writes a UTF-8 text file as a Chinese Windows keeps its text files: GBK, lines ended by CR LF.

windows-text.py INPUT OUTPUT"""
import sys


def main():
    source, target = sys.argv[1], sys.argv[2]
    with open(source, encoding="utf-8", newline="") as text:
        lines = text.read().replace("\r\n", "\n").split("\n")
    with open(target, "wb") as output:
        output.write("\r\n".join(lines).encode("gbk"))


if __name__ == "__main__":
    main()
