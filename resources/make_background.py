#!/usr/bin/env python3
"""Writes Background.bmp, the tray menu's shipped background picture: a pale sky gradient with a
soft band under the item pictures and a faint clock face, light enough that black captions stay
readable. Usage: make_background.py OUTPUT"""
import math
import struct
import sys

WIDTH, HEIGHT = 240, 480


def colour(x, y):
    # Top to bottom: from almost white to a pale blue.
    t = y / (HEIGHT - 1)
    r, g, b = (int(250 - 14 * t), int(252 - 10 * t), 255)
    if x < 24:  # the band behind the item pictures and check marks
        r, g, b = r - 18, g - 12, b - 4
    # A faint clock face low on the right, with hands at ten past ten.
    cx, cy, radius = 180, 390, 60
    d = math.hypot(x - cx, y - cy)
    if abs(d - radius) < 1.6 or abs(d - radius + 6) < 0.8:
        r, g, b = r - 22, g - 16, b - 6
    for hand_angle, length in ((-math.pi / 2 - math.pi / 3, 30), (-math.pi / 2 + math.pi / 3, 45)):
        along = (x - cx) * math.cos(hand_angle) + (y - cy) * math.sin(hand_angle)
        across = -(x - cx) * math.sin(hand_angle) + (y - cy) * math.cos(hand_angle)
        if 0 <= along <= length and abs(across) < 1.5:
            r, g, b = r - 22, g - 16, b - 6
    return max(r, 0), max(g, 0), max(b, 0)


def main():
    row_size = (WIDTH * 3 + 3) // 4 * 4
    pixels = bytearray()
    for y in range(HEIGHT - 1, -1, -1):  # bottom-up rows
        row = bytearray()
        for x in range(WIDTH):
            r, g, b = colour(x, y)
            row += bytes((b, g, r))
        pixels += row + bytes(row_size - len(row))
    header = struct.pack("<2sIHHI", b"BM", 54 + len(pixels), 0, 0, 54)
    info = struct.pack("<IiiHHIIiiII", 40, WIDTH, HEIGHT, 1, 24, 0, len(pixels), 2835, 2835, 0, 0)
    with open(sys.argv[1], "wb") as out:
        out.write(header + info + pixels)


if __name__ == "__main__":
    main()
