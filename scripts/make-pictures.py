#!/usr/bin/env python3
"""Writes the program's own pictures into resources/: the default backdrop
back3.bmp (a tile) and the option pictures option_N.bmp (the picture in the
upper half, its mask in the lower half: black where the picture is, white
where the screen shows through)."""
import math
import os
import struct

HERE = os.path.join(os.path.dirname(os.path.abspath(__file__)), "..", "resources")


def write_bmp(path, width, height, pixel):
    row_size = (width * 3 + 3) & ~3
    data = bytearray()
    for y in range(height - 1, -1, -1):
        row = bytearray()
        for x in range(width):
            r, g, b = pixel(x, y)
            row += bytes((b, g, r))
        row += bytes(row_size - len(row))
        data += row
    header = struct.pack("<2sIHHI", b"BM", 54 + len(data), 0, 0, 54)
    info = struct.pack("<IiiHHIIiiII", 40, width, height, 1, 24, 0, len(data), 3780, 3780, 0, 0)
    with open(path, "wb") as f:
        f.write(header + info + data)


def backdrop(x, y):
    # A soft woven tile: periodic in 64 pixels both ways, so tiles meet
    # without a seam.
    t = 2 * math.pi / 64
    weave = math.sin(x * t * 4) * math.sin(y * t * 4)
    grain = math.sin((x + y) * t * 2) + math.sin((x - y) * t * 3)
    v = 200 + 6 * weave + 3 * grain
    return (int(v - 14), int(v - 4), int(v + 8))


def arrow(x, y):
    cy = 7.5
    if 2 <= x <= 8 and abs(y - cy) <= 2:
        return True
    return 8 <= x <= 14 and abs(y - cy) <= (14 - x) * 0.9


def check(x, y):
    def near(ax, ay, bx, by):
        px, py = x - ax, y - ay
        dx, dy = bx - ax, by - ay
        k = max(0.0, min(1.0, (px * dx + py * dy) / (dx * dx + dy * dy)))
        return math.hypot(px - k * dx, py - k * dy) <= 1.6
    return near(2, 8, 6, 12) or near(6, 12, 14, 3)


def bullet(x, y):
    return math.hypot(x - 7.5, y - 7.5) <= 6


OPTIONS = [
    (arrow, (0, 64, 192)),
    (check, (0, 140, 40)),
    (bullet, (200, 40, 40)),
]


def option_picture(shape, colour):
    def pixel(x, y):
        half = y >= 16
        inside = shape(x / 2.0, y % 16)
        if half:
            return (0, 0, 0) if inside else (255, 255, 255)
        if not inside:
            return (0, 0, 0)
        # A little light from the top left.
        shade = 1.25 - 0.5 * (y % 16) / 16.0
        return tuple(min(255, int(c * shade + 30)) for c in colour)
    return pixel


def tip_bulb(x, y):
    # A light bulb on the tips window's grey: glass, a lit core, the screw cap.
    glass = math.hypot(x - 15.5, y - 13) <= 9
    neck = 11 <= x <= 20 and 20 <= y <= 24
    cap = 12 <= x <= 19 and 25 <= y <= 29 and y % 2 == 1
    if cap:
        return (90, 90, 90)
    if neck:
        return (150, 150, 150)
    if glass:
        glow = max(0.0, 1 - math.hypot(x - 13, y - 10) / 10)
        return (255, int(220 + 35 * glow), int(90 + 150 * glow))
    return (192, 192, 192)


def main():
    write_bmp(os.path.join(HERE, "back3.bmp"), 64, 64, backdrop)
    for n, (shape, colour) in enumerate(OPTIONS):
        write_bmp(os.path.join(HERE, "option_%d.bmp" % n), 32, 32, option_picture(shape, colour))
    write_bmp(os.path.join(HERE, "tip_103.bmp"), 32, 32, tip_bulb)


if __name__ == "__main__":
    main()
