#!/usr/bin/env python3
"""Draws Pupdesk's program icon (icon 128): an orange paw print on a rounded
dark-blue tile, as a 32 x 32 and a 16 x 16 image in 32-bit colour. Writes
Pupdesk.ico beside itself."""
import os
import struct

HERE = os.path.dirname(os.path.abspath(__file__))


def paw(size):
    s = size / 32.0
    img = [[(0, 0, 0, 0)] * size for _ in range(size)]

    def round_rect(x, y, x0, y0, x1, y1, r):
        cx = min(max(x, x0 + r), x1 - r)
        cy = min(max(y, y0 + r), y1 - r)
        return (x - cx) ** 2 + (y - cy) ** 2 <= r * r

    def ellipse(x, y, cx, cy, rx, ry):
        return ((x - cx) / rx) ** 2 + ((y - cy) / ry) ** 2 <= 1.0

    for py in range(size):
        for px in range(size):
            x, y = (px + 0.5) / s, (py + 0.5) / s
            colour = None
            if round_rect(x, y, 1, 1, 31, 31, 6):
                colour = (30, 50, 110, 255)
            pad = ellipse(x, y, 16, 21, 7.5, 6)
            toes = [ellipse(x, y, 7, 12.5, 2.8, 3.6), ellipse(x, y, 12.5, 7.5, 2.8, 3.6),
                    ellipse(x, y, 19.5, 7.5, 2.8, 3.6), ellipse(x, y, 25, 12.5, 2.8, 3.6)]
            if pad or any(toes):
                colour = (255, 160, 40, 255)
            if colour:
                img[py][px] = colour
    return img


def ico_image(img):
    size = len(img)
    header = struct.pack("<IiiHHIIiiII", 40, size, size * 2, 1, 32, 0, 0, 0, 0, 0, 0)
    xor = bytearray()
    for row in reversed(img):
        for r, g, b, a in row:
            xor.extend((b, g, r, a))
    stride = ((size + 31) // 32) * 4
    mask = bytearray()
    for row in reversed(img):
        bits = bytearray(stride)
        for x, (_, _, _, a) in enumerate(row):
            if a == 0:
                bits[x // 8] |= 0x80 >> (x % 8)
        mask.extend(bits)
    return header + bytes(xor) + bytes(mask)


def write_ico(path, images):
    entries, blobs = [], []
    offset = 6 + 16 * len(images)
    for img in images:
        blob = ico_image(img)
        size = len(img)
        entries.append(struct.pack("<BBBBHHII", size, size, 0, 0, 1, 32, len(blob), offset))
        blobs.append(blob)
        offset += len(blob)
    with open(path, "wb") as f:
        f.write(struct.pack("<HHH", 0, 1, len(images)))
        f.write(b"".join(entries))
        f.write(b"".join(blobs))


if __name__ == "__main__":
    write_ico(os.path.join(HERE, "Pupdesk.ico"), [paw(32), paw(16)])
