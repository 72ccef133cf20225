#!/usr/bin/env python3
"""Draws the program's images: the eight tool-button icons, the cleanup window's
icon, three cursors and the about picture.

    draw_images.py OUTPUT_FOLDER

Every image is drawn here from simple shapes; the files are written in the
formats Windows reads from resources (.ico, .cur, .bmp).
"""
import math
import os
import struct
import sys


def rgba(r, g, b, a=255):
    return (r, g, b, a)


# --- Shapes: each is a function (x, y) -> colour or None for transparent ------

def inside_circle(x, y, cx, cy, r):
    return (x + 0.5 - cx) ** 2 + (y + 0.5 - cy) ** 2 <= r * r


def layer(*painters):
    """The first painter that colours a pixel wins."""
    def paint(x, y):
        for painter in painters:
            colour = painter(x, y)
            if colour is not None:
                return colour
        return None
    return paint


def eye(x, y):  # hidden files shown: an eye
    if inside_circle(x, y, 8, 8, 2.2):
        return rgba(20, 20, 20)
    if inside_circle(x, y, 8, 8, 3.6):
        return rgba(40, 110, 210)
    if ((x + 0.5 - 8) / 7.5) ** 2 + ((y + 0.5 - 8) / 4.5) ** 2 <= 1:
        return rgba(250, 250, 250) if ((x + 0.5 - 8) / 6.5) ** 2 + ((y + 0.5 - 8) / 3.5) ** 2 <= 1 else rgba(60, 60, 60)
    return None


def bin_(x, y):  # junk cleanup: a waste bin
    if 3 <= x <= 12 and y == 3:
        return rgba(90, 90, 90)
    if 6 <= x <= 9 and y == 2:
        return rgba(90, 90, 90)
    if 4 <= x <= 11 and 5 <= y <= 14:
        if x in (4, 11) or y == 14:
            return rgba(70, 70, 70)
        return rgba(120, 170, 90) if x % 2 else rgba(150, 200, 120)
    return None


def uninstall(x, y):  # uninstaller: a box with a red cross
    if (abs(x - y) <= 1 or abs(x + y - 15) <= 1) and 6 <= x <= 15 and 6 <= y <= 15:
        return rgba(220, 30, 30)
    if 1 <= x <= 11 and 1 <= y <= 11:
        if x in (1, 11) or y in (1, 11):
            return rgba(120, 80, 30)
        return rgba(230, 180, 90)
    return None


def keyboard(x, y):  # input methods: a keyboard
    if 1 <= x <= 14 and 4 <= y <= 12:
        if x in (1, 14) or y in (4, 12):
            return rgba(40, 40, 60)
        if (x % 3 == 0) or (y % 3 == 0):
            return rgba(90, 90, 120)
        return rgba(235, 235, 245)
    return None


def person(x, y):  # local administrators: a person with a shield
    if inside_circle(x, y, 6, 4, 2.6):
        return rgba(240, 190, 140)
    if 2 <= x <= 10 and 8 <= y <= 14 and inside_circle(x, y, 6, 14, 5):
        return rgba(50, 90, 170)
    if 10 <= x <= 15 and 7 <= y <= 14 and (y < 12 or abs(x - 12.5) <= 14 - y):
        return rgba(230, 180, 20)
    return None


def player(x, y):  # media player: a play sign in a disc
    if inside_circle(x, y, 8, 8, 7):
        if 6 <= x <= 11 and abs(y + 0.5 - 8) <= (11.5 - x) * 0.7:
            return rgba(255, 255, 255)
        return rgba(30, 130, 60)
    return None


def convert(x, y):  # FAT32 to NTFS: a drive and an arrow
    if 1 <= x <= 14 and 9 <= y <= 14:
        if y in (9, 14) or x in (1, 14):
            return rgba(60, 60, 60)
        return rgba(30, 220, 60) if (x == 11 and y == 12) else rgba(180, 180, 190)
    if 7 <= x <= 8 and 1 <= y <= 5:
        return rgba(20, 90, 220)
    if 3 <= y <= 7 and abs(x + 0.5 - 8) <= y - 3 and y >= 5:
        return rgba(20, 90, 220)
    return None


def defrag(x, y):  # defragmenter: blocks in order
    if 1 <= x <= 14 and 2 <= y <= 13:
        cx, cy = (x - 1) // 3, (y - 2) // 3
        if (x - 1) % 3 == 2 or (y - 2) % 3 == 2:
            return None
        return [rgba(30, 80, 200), rgba(30, 160, 220), rgba(220, 60, 60), rgba(240, 240, 240)][(cx + cy * 2) % 4]
    return None


def cleanup_icon(x, y):  # the cleanup window: a broom
    if abs(x - y) <= 0 and 2 <= x <= 9:
        return rgba(140, 90, 40)
    if 8 <= x <= 14 and 8 <= y <= 14 and x + y >= 19:
        return rgba(230, 190, 60) if (x + y) % 2 else rgba(200, 150, 30)
    return None


def arrow_up(x, y):  # 选择夹1: an arrow pointing up, tip at (15, 1)
    if 1 <= y <= 10 and abs(x - 15) <= (y - 1) * 0.8:
        inner = abs(x - 15) < (y - 1) * 0.8 - 1 and y < 10
        return rgba(255, 255, 255) if inner else rgba(0, 0, 0)
    if 10 <= y <= 22 and 13 <= x <= 17:
        return rgba(255, 255, 255) if 14 <= x <= 16 and y < 22 else rgba(0, 0, 0)
    return None


def ring(x, y):  # 按钮10: a target ring centred on (9, 9)
    d = math.hypot(x - 9, y - 9)
    if x == 9 and d <= 9 or y == 9 and d <= 9:
        return rgba(0, 0, 0)
    if 6 <= d <= 8:
        return rgba(200, 20, 20)
    return None


def hand(x, y):  # 标签12: a slanted arrow whose tip is (0, 0)
    if x <= 12 and y <= 12 and y <= 2 * x + 1 and x <= 2 * y + 1 and x + y <= 16:
        edge = y == 2 * x + 1 or x == 2 * y + 1 or x + y == 16 or y >= 2 * x or x >= 2 * y
        return rgba(0, 0, 0) if edge else rgba(40, 140, 240)
    if 9 <= x <= 20 and 9 <= y <= 20 and abs(x - y) <= 1:
        return rgba(0, 0, 0)
    return None


# --- File formats -----------------------------------------------------------

def icon_image(size, bpp, paint):
    """BITMAPINFOHEADER, colour rows bottom-up, then the 1-bit transparency mask."""
    header = struct.pack('<IiiHHIIiiII', 40, size, size * 2, 1, bpp, 0, 0, 0, 0, 0, 0)
    colour = bytearray()
    mask = bytearray()
    mask_row = ((size + 31) // 32) * 4
    for y in reversed(range(size)):
        row = bytearray()
        bits = bytearray(mask_row)
        for x in range(size):
            c = paint(x, y)
            if c is None:
                bits[x // 8] |= 0x80 >> (x % 8)
                c = (0, 0, 0, 0)
            row += bytes((c[2], c[1], c[0])) + (bytes((c[3],)) if bpp == 32 else b'')
        row += bytes((-len(row)) % 4)
        colour += row
        mask += bits
    return header + bytes(colour) + bytes(mask)


def icon_file(size, bpp, paint, hotspot=None):
    image = icon_image(size, bpp, paint)
    kind = 1 if hotspot is None else 2
    planes, bits = (1, bpp) if hotspot is None else hotspot
    directory = struct.pack('<HHH', 0, kind, 1)
    entry = struct.pack('<BBBBHHII', size, size, 0, 0, planes, bits, len(image), 6 + 16)
    return directory + entry + image


def about_picture(width=460, height=391):
    """A 24-bit bitmap: a sky-to-sea gradient, a sun, a row of hills and blocky 'PREPKIT'."""
    glyphs = {
        'P': ['1110', '1001', '1110', '1000', '1000'],
        'R': ['1110', '1001', '1110', '1010', '1001'],
        'E': ['1111', '1000', '1110', '1000', '1111'],
        'K': ['1001', '1010', '1100', '1010', '1001'],
        'I': ['111', '010', '010', '010', '111'],
        'T': ['11111', '00100', '00100', '00100', '00100'],
    }
    word = 'PREPKIT'
    scale = 12
    text_width = sum((len(glyphs[ch][0]) + 1) * scale for ch in word)
    left, top = (width - text_width) // 2, 60

    def letter_at(x, y):
        if not (top <= y < top + 5 * scale):
            return False
        gx = left
        for ch in word:
            w = len(glyphs[ch][0])
            if gx <= x < gx + w * scale:
                return glyphs[ch][(y - top) // scale][(x - gx) // scale] == '1'
            gx += (w + 1) * scale
        return False

    row_size = (width * 3 + 3) // 4 * 4
    pixels = bytearray()
    for y in reversed(range(height)):
        row = bytearray()
        for x in range(width):
            t = y / height
            r, g, b = int(40 + 80 * t), int(90 + 100 * t), int(200 - 60 * t)
            hill = 300 + 25 * math.sin(x / 37.0) + 12 * math.sin(x / 11.0)
            if y > hill:
                r, g, b = 40, int(120 + 40 * math.sin(x / 23.0)), 50
            if inside_circle(x, y, 380, 230, 30):
                r, g, b = 250, 210, 60
            if letter_at(x, y):
                r, g, b = 255, 255, 255
            elif letter_at(x - 3, y - 3):
                r, g, b = 20, 30, 60
            row += bytes((b, g, r))
        row += bytes(row_size - len(row))
        pixels += row
    info = struct.pack('<IiiHHIIiiII', 40, width, height, 1, 24, 0, len(pixels), 2835, 2835, 0, 0)
    header = struct.pack('<2sIHHI', b'BM', 14 + len(info) + len(pixels), 0, 0, 14 + len(info))
    return header + info + bytes(pixels)


def main():
    out = sys.argv[1]
    os.makedirs(out, exist_ok=True)
    files = {
        'button11.ico': icon_file(16, 24, eye),
        'button12.ico': icon_file(16, 24, bin_),
        'button13.ico': icon_file(16, 32, uninstall),
        'button14.ico': icon_file(16, 32, keyboard),
        'button15.ico': icon_file(16, 24, person),
        'button16.ico': icon_file(16, 24, player),
        'button17.ico': icon_file(16, 32, convert),
        'button18.ico': icon_file(16, 32, defrag),
        'cleanup.ico': icon_file(16, 24, cleanup_icon),
        'tab.cur': icon_file(32, 32, arrow_up, hotspot=(15, 1)),
        'button10.cur': icon_file(32, 32, ring, hotspot=(9, 9)),
        'credit.cur': icon_file(32, 32, hand, hotspot=(0, 0)),
        'about.bmp': about_picture(),
    }
    for name, data in files.items():
        with open(os.path.join(out, name), 'wb') as f:
            f.write(data)


if __name__ == '__main__':
    main()
