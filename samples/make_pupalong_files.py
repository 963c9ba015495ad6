#!/usr/bin/env python3
"""Writes the binary Pupalong settings files of the sample stick.

PLUS.DAT: 64 bytes, the PLUS signature 03 00 B0 A1, volume level Normal.
ARRAY1.DAT: 8000 bytes of Pupalong data with the console's words set to a
girl with a manual camera; the other bytes are a fixed pattern so that a
save can be seen to keep them.
"""
import os
import struct

here = os.path.join(os.path.dirname(os.path.abspath(__file__)), "stick")

plus = bytearray((i * 7 + 3) & 0xFF for i in range(64))
plus[0:4] = b"\x03\x00\xb0\xa1"
for offset, value in zip((5, 9, 13, 17), (0x80, 0xEE, 0xF2, 0xF6)):
    plus[offset] = value
with open(os.path.join(here, "CUSTOM", "PLUS.DAT"), "wb") as f:
    f.write(plus)

array1 = bytearray((i * 13 + 5) & 0xFF for i in range(8000))
words = {40: 57, 42: 12, 44: 0, 46: 2, 48: 0, 50: 1, 52: 1,
         54: 3, 56: 1, 58: 2, 60: 4660, 62: 0}
for offset, value in words.items():
    struct.pack_into("<h", array1, offset, value)
with open(os.path.join(here, "OPEN-R", "APP", "PC", "AMS", "ARRAY1.DAT"), "wb") as f:
    f.write(array1)
