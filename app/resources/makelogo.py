#!/usr/bin/env python3
"""Draws the product picture (logo.png): the contour map of a trap, isolines closing around its crest.

Run it to rebuild the picture: python3 makelogo.py logo.png
"""
import math
import struct
import sys
import zlib

SIZE = 128
SAMPLES = 4  # supersampling per axis


def colour_at(x, y):
    """RGBA of one point of the picture, coordinates in 0..SIZE."""
    cx, cy = SIZE / 2, SIZE / 2
    dx, dy = x - cx, y - cy
    r = math.hypot(dx, dy)
    if r > 60:
        return (0, 0, 0, 0)
    if r > 56:
        return (22, 58, 102, 255)  # rim
    # A tilted elongated dome: the depth of the reflecting surface under this point.
    a = math.radians(-28)
    u = dx * math.cos(a) - dy * math.sin(a)
    v = dx * math.sin(a) + dy * math.cos(a)
    depth = math.hypot(u / 1.55, v) + 4 * math.sin(u / 9.0)
    ring = depth / 9.0
    frac = ring - math.floor(ring)
    if depth < 13:
        # The crest holds the hydrocarbons.
        shade = 1 - depth / 13
        return (int(196 + 50 * shade), int(128 + 60 * shade), int(32 + 20 * shade), 255)
    if frac < 0.16:
        return (236, 244, 252, 255)  # isoline
    level = min(ring / 6.0, 1.0)
    return (int(48 + 30 * (1 - level)), int(112 + 40 * (1 - level)), int(170 + 40 * (1 - level)), 255)


def render():
    rows = []
    for py in range(SIZE):
        row = bytearray([0])  # filter type none
        for px in range(SIZE):
            acc = [0, 0, 0, 0]
            for sy in range(SAMPLES):
                for sx in range(SAMPLES):
                    c = colour_at(px + (sx + 0.5) / SAMPLES, py + (sy + 0.5) / SAMPLES)
                    alpha = c[3]
                    acc[0] += c[0] * alpha
                    acc[1] += c[1] * alpha
                    acc[2] += c[2] * alpha
                    acc[3] += alpha
            n = SAMPLES * SAMPLES
            if acc[3] == 0:
                row += bytes(4)
            else:
                row += bytes([acc[0] // acc[3], acc[1] // acc[3], acc[2] // acc[3], acc[3] // n])
        rows.append(bytes(row))
    return b"".join(rows)


def chunk(kind, data):
    body = kind + data
    return struct.pack(">I", len(data)) + body + struct.pack(">I", zlib.crc32(body) & 0xFFFFFFFF)


def main():
    out = sys.argv[1] if len(sys.argv) > 1 else "logo.png"
    header = struct.pack(">IIBBBBB", SIZE, SIZE, 8, 6, 0, 0, 0)
    png = b"\x89PNG\r\n\x1a\n" + chunk(b"IHDR", header) + chunk(b"IDAT", zlib.compress(render(), 9))
    png += chunk(b"IEND", b"")
    with open(out, "wb") as f:
        f.write(png)


if __name__ == "__main__":
    main()
