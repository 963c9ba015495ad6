#!/usr/bin/env python3
"""Draws zolt's resource artwork: the kind icon strip (bitmap 131), the drag
feedback strip (bitmap 129), both again at twice the size for screens of 144
dots per inch and more (bitmaps 132 and 130), and the program icon (icon 128).

Run it from anywhere; it writes kinds.bmp, kinds2x.bmp, dragfeedback.bmp,
dragfeedback2x.bmp and zolt.ico beside itself. The bitmaps are 16-colour (4 bits per pixel) with the standard
VGA palette; the icon holds a 32 x 32 and a 16 x 16 image in 32-bit colour.
"""
import os
import struct

HERE = os.path.dirname(os.path.abspath(__file__))

# The 16 colours of the standard VGA palette, in palette order.
PALETTE = [
    (0, 0, 0), (128, 0, 0), (0, 128, 0), (128, 128, 0),
    (0, 0, 128), (128, 0, 128), (0, 128, 128), (192, 192, 192),
    (128, 128, 128), (255, 0, 0), (0, 255, 0), (255, 255, 0),
    (0, 0, 255), (255, 0, 255), (0, 255, 255), (255, 255, 255),
]
BLACK, LIGHT_GREY, RED, YELLOW, MAGENTA = 0, 7, 9, 11, 13

# A 4 x 7 pixel font, lower case, for the icon words; '#' is ink.
GLYPHS = {
    "a": ["    ", "    ", " ## ", "   #", " ###", "#  #", " ###"],
    "c": ["    ", "    ", " ###", "#   ", "#   ", "#   ", " ###"],
    "d": ["   #", "   #", " ###", "#  #", "#  #", "#  #", " ###"],
    "e": ["    ", "    ", " ## ", "#  #", "####", "#   ", " ###"],
    "i": [" #  ", "    ", "##  ", " #  ", " #  ", " #  ", "### "],
    "l": ["##  ", " #  ", " #  ", " #  ", " #  ", " #  ", "### "],
    "m": ["    ", "    ", "# # ", "####", "# ##", "#  #", "#  #"],
    "o": ["    ", "    ", " ## ", "#  #", "#  #", "#  #", " ## "],
    "r": ["    ", "    ", "# ##", "##  ", "#   ", "#   ", "#   "],
    "s": ["    ", "    ", " ###", "#   ", " ## ", "   #", "### "],
    "t": [" #  ", " #  ", "### ", " #  ", " #  ", " #  ", "  ##"],
    "u": ["    ", "    ", "#  #", "#  #", "#  #", "#  #", " ###"],
    "v": ["    ", "    ", "#  #", "#  #", "#  #", " ## ", " ## "],
    "w": ["    ", "    ", "#  #", "#  #", "# ##", "####", "# # "],
    "y": ["    ", "    ", "#  #", "#  #", " ###", "   #", " ## "],
    "?": [" ## ", "#  #", "   #", "  # ", "  # ", "    ", "  # "],
}


def cell(word, ink, paper, frame):
    """One 25 x 15 cell: the word centred, in ink on paper, inside a frame."""
    w, h = 25, 15
    pixels = [[paper] * w for _ in range(h)]
    if frame is not None:
        for x in range(w):
            pixels[0][x] = pixels[h - 1][x] = frame
        for y in range(h):
            pixels[y][0] = pixels[y][w - 1] = frame
    width = len(word) * 5 - 1
    left = (w - width + 1) // 2
    top = 4
    for i, ch in enumerate(word):
        for y, row in enumerate(GLYPHS[ch]):
            for x, c in enumerate(row):
                if c == "#":
                    pixels[top + y][left + i * 5 + x] = ink
    return pixels


def strip(cells):
    rows = []
    for y in range(15):
        row = []
        for c in cells:
            row.extend(c[y])
        rows.append(row)
    return rows


def write_bmp4(path, rows):
    """A bottom-up 4-bit BMP with the VGA palette."""
    height, width = len(rows), len(rows[0])
    stride = ((width * 4 + 31) // 32) * 4
    data = bytearray()
    for row in reversed(rows):
        line = bytearray()
        for x in range(0, width, 2):
            hi = row[x]
            lo = row[x + 1] if x + 1 < width else 0
            line.append((hi << 4) | lo)
        line.extend(b"\0" * (stride - len(line)))
        data.extend(line)
    palette = b"".join(struct.pack("<BBBB", b, g, r, 0) for r, g, b in PALETTE)
    offset = 14 + 40 + len(palette)
    header = struct.pack("<2sIHHI", b"BM", offset + len(data), 0, 0, offset)
    info = struct.pack("<IiiHHIIiiII", 40, width, height, 1, 4, 0, len(data), 2835, 2835, 16, 16)
    with open(path, "wb") as f:
        f.write(header + info + palette + data)


def doubled(rows):
    """Every pixel as a 2 x 2 block."""
    out = []
    for row in rows:
        wide = [c for c in row for _ in range(2)]
        out.append(wide)
        out.append(list(wide))
    return out


def kind_strip():
    words = ["wait", "move", "sys", "user", "led", "call", "????"]
    return strip([cell(w, MAGENTA, BLACK, LIGHT_GREY) for w in words])


def feedback_strip():
    return strip([
        cell("", BLACK, BLACK, None),
        cell("del", BLACK, RED, None),
        cell("???", BLACK, YELLOW, None),
        cell("", BLACK, BLACK, LIGHT_GREY),
        cell("", BLACK, BLACK, LIGHT_GREY),
    ])


def robot_head(size):
    """The program icon: a silver robot-dog head with a dark visor and red
    eyes, seen from the front, with ears; RGBA rows."""
    s = size / 32.0
    img = [[(0, 0, 0, 0)] * size for _ in range(size)]

    def inside_round_rect(x, y, x0, y0, x1, y1, r):
        cx = min(max(x, x0 + r), x1 - r)
        cy = min(max(y, y0 + r), y1 - r)
        return (x - cx) ** 2 + (y - cy) ** 2 <= r * r

    for py in range(size):
        for px in range(size):
            x, y = (px + 0.5) / s, (py + 0.5) / s
            colour = None
            # Ears: two dark flaps at the top corners.
            if inside_round_rect(x, y, 2, 5, 10, 20, 3) or inside_round_rect(x, y, 22, 5, 30, 20, 3):
                colour = (60, 60, 70, 255)
            # Head.
            if inside_round_rect(x, y, 5, 6, 27, 29, 8):
                shade = int(235 - (y - 6) * 3)
                colour = (shade, shade, min(255, shade + 12), 255)
                if not inside_round_rect(x, y, 6, 7, 26, 28, 7):
                    colour = (70, 70, 80, 255)
            # Visor.
            if inside_round_rect(x, y, 8, 12, 24, 20, 3):
                colour = (25, 25, 35, 255)
            # Eyes.
            for ex in (12.5, 19.5):
                if (x - ex) ** 2 + (y - 16) ** 2 <= 2.2 ** 2:
                    colour = (230, 30, 30, 255)
            # Mouth.
            if 23 <= y <= 24.5 and 12 <= x <= 20:
                colour = (70, 70, 80, 255)
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
        entries.append(struct.pack("<BBBBHHII", size % 256, size % 256, 0, 0, 1, 32, len(blob), offset))
        blobs.append(blob)
        offset += len(blob)
    with open(path, "wb") as f:
        f.write(struct.pack("<HHH", 0, 1, len(images)))
        f.write(b"".join(entries))
        f.write(b"".join(blobs))


if __name__ == "__main__":
    write_bmp4(os.path.join(HERE, "kinds.bmp"), kind_strip())
    write_bmp4(os.path.join(HERE, "dragfeedback.bmp"), feedback_strip())
    write_bmp4(os.path.join(HERE, "kinds2x.bmp"), doubled(kind_strip()))
    write_bmp4(os.path.join(HERE, "dragfeedback2x.bmp"), doubled(feedback_strip()))
    write_ico(os.path.join(HERE, "zolt.ico"), [robot_head(32), robot_head(16)])
