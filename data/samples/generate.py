#!/usr/bin/env python3
"""Writes the generated parts of the sample passport's sources: the contour point files, the map
images and the documents. Standard library only; the output is the same on every run.

    python3 data/samples/generate.py

The trap outlines are made here once, so the contour files and the maps that show them agree.
Prints the area and the axes of every outline; the horizon sources take their geometry from them.
"""
import math
import os
import random
import struct
import zlib

HERE = os.path.dirname(os.path.abspath(__file__))

# Crest of the structure and the Gauss-Kruger zone it lies in (zone 13, central meridian 75 E).
LAT0, LON0 = 64.62, 76.95
ZONE = 13
KRASOVSKY_A, KRASOVSKY_F = 6378245.0, 1 / 298.3


def gauss_kruger(lat, lon):
    """Easting (with the zone in the millions) and northing in metres on the Krasovsky ellipsoid."""
    a, f = KRASOVSKY_A, KRASOVSKY_F
    e2 = f * (2 - f)
    ep2 = e2 / (1 - e2)
    phi = math.radians(lat)
    lam = math.radians(lon - (6 * ZONE - 3))
    s, c = math.sin(phi), math.cos(phi)
    n = a / math.sqrt(1 - e2 * s * s)
    t = math.tan(phi) ** 2
    cc = ep2 * c * c
    aa = lam * c
    e4, e6 = e2 * e2, e2 * e2 * e2
    m = a * ((1 - e2 / 4 - 3 * e4 / 64 - 5 * e6 / 256) * phi
             - (3 * e2 / 8 + 3 * e4 / 32 + 45 * e6 / 1024) * math.sin(2 * phi)
             + (15 * e4 / 256 + 45 * e6 / 1024) * math.sin(4 * phi)
             - (35 * e6 / 3072) * math.sin(6 * phi))
    x = n * (aa + (1 - t + cc) * aa ** 3 / 6 + (5 - 18 * t + t * t + 72 * cc - 58 * ep2) * aa ** 5 / 120)
    y = m + n * math.tan(phi) * (aa * aa / 2 + (5 - t + 9 * cc + 4 * cc * cc) * aa ** 4 / 24
                                 + (61 - 58 * t + t * t + 600 * cc - 330 * ep2) * aa ** 6 / 720)
    return ZONE * 1_000_000 + 500_000 + x, y


def geographic(east_km, north_km):
    """Latitude and longitude of a point given in km east and north of the crest."""
    lat = LAT0 + north_km / 111.2
    lon = LON0 + east_km / (111.32 * math.cos(math.radians(lat)))
    return lat, lon


class Horizon:
    """One productive horizon's trap outline at its last closed isohypse."""

    def __init__(self, key, title, system, points, centre, semi_axes, azimuth, ripples, area, seed):
        self.key, self.title, self.system = key, title, system
        rnd = random.Random(seed)
        phases = [rnd.uniform(0, 2 * math.pi) for _ in ripples]
        a, b = semi_axes
        rot = math.radians(90 - azimuth)  # azimuth of the long axis, clockwise from north
        outline = []
        for i in range(points):
            th = 2 * math.pi * i / points
            r = a * b / math.hypot(b * math.cos(th), a * math.sin(th))
            r *= 1 + sum(amp * math.cos(k * th + ph) for (k, amp), ph in zip(ripples, phases))
            r *= 1 + rnd.uniform(-0.004, 0.004)
            u, v = r * math.cos(th), r * math.sin(th)
            outline.append((u * math.cos(rot) - v * math.sin(rot), u * math.sin(rot) + v * math.cos(rot)))
        scale = math.sqrt(area / polygon_area(outline))
        self.outline_km = [(centre[0] + x * scale, centre[1] + y * scale) for x, y in outline]
        self.rot = rot
        # Clockwise from the northernmost vertex, as contours are usually traced.
        self.outline_km.reverse()
        top = max(range(points), key=lambda i: self.outline_km[i][1])
        self.outline_km = self.outline_km[top:] + self.outline_km[:top]
        self.geo = [geographic(x, y) for x, y in self.outline_km]
        self.gk = [gauss_kruger(lat, lon) for lat, lon in self.geo]

    def axes(self):
        ux, uy = math.cos(self.rot), math.sin(self.rot)
        along = [x * ux + y * uy for x, y in self.outline_km]
        across = [-x * uy + y * ux for x, y in self.outline_km]
        return max(along) - min(along), max(across) - min(across)

    def write(self):
        path = os.path.join(HERE, "kontur-%s.tsv" % self.key)
        with open(path, "w", encoding="utf-8", newline="\n") as out:
            if self.system == 2:
                out.write("# Trap contour of %s: geographic coordinates in decimal degrees\n" % self.title)
                out.write("# (X longitude, Y latitude), clockwise from the northernmost point.\n")
                out.write("X\tY\n")
                for lat, lon in self.geo:
                    out.write("%.6f\t%.6f\n" % (lon, lat))
            else:
                out.write("# Trap contour of %s: Gauss-Kruger projection, zone %d, metres\n" % (self.title, ZONE))
                out.write("# (X easting with the zone number in the millions, Y northing), clockwise.\n")
                out.write("X\tY\n")
                for east, north in self.gk:
                    out.write("%.1f\t%.1f\n" % (east, north))


def polygon_area(points):
    return abs(sum(x1 * y2 - x2 * y1 for (x1, y1), (x2, y2) in zip(points, points[1:] + points[:1]))) / 2


HORIZONS = [
    Horizon("pk1", "ПК1", 2, 120, (0.0, 0.0), (4.9, 2.6), 35, [(2, 0.03), (3, 0.05), (5, 0.02)], 38.5, 11),
    Horizon("bp10", "БП10", 2, 96, (0.3, -0.2), (4.05, 2.15), 33, [(3, 0.04), (4, 0.03)], 27.3, 12),
    Horizon("ach1", "Ач1", 4, 72, (0.9, -0.6), (3.45, 1.8), 28, [(2, 0.06), (3, 0.04)], 18.6, 13),
    Horizon("ju1", "Ю1", 4, 110, (0.4, -0.3), (5.1, 2.8), 32, [(3, 0.04), (4, 0.02), (6, 0.015)], 44.7, 14),
]

# Raster drawing for the two maps.


class Canvas:
    def __init__(self, width, height, colour):
        self.w, self.h = width, height
        self.px = bytearray(bytes(colour) * (width * height))
        self.clip = (0, 0, width, height)

    def dot(self, x, y, colour):
        x0, y0, x1, y1 = self.clip
        if x0 <= x < x1 and y0 <= y < y1:
            i = (y * self.w + x) * 3
            self.px[i:i + 3] = bytes(colour)

    def disc(self, x, y, radius, colour):
        r = int(math.ceil(radius))
        for dy in range(-r, r + 1):
            for dx in range(-r, r + 1):
                if dx * dx + dy * dy <= radius * radius:
                    self.dot(int(round(x)) + dx, int(round(y)) + dy, colour)

    def line(self, p, q, colour, width=1, dash=None):
        (x0, y0), (x1, y1) = p, q
        steps = max(1, int(max(abs(x1 - x0), abs(y1 - y0))))
        for i in range(steps + 1):
            if dash and (i // dash) % 2:
                continue
            x, y = x0 + (x1 - x0) * i / steps, y0 + (y1 - y0) * i / steps
            if width <= 1:
                self.dot(int(round(x)), int(round(y)), colour)
            else:
                self.disc(x, y, width / 2, colour)

    def polyline(self, points, colour, width=1, closed=False, dash=None):
        pts = points + points[:1] if closed else points
        for p, q in zip(pts, pts[1:]):
            self.line(p, q, colour, width, dash)

    def fill(self, points, colour):
        ys = [y for _, y in points]
        for y in range(max(0, int(min(ys))), min(self.h, int(max(ys)) + 1)):
            xs = []
            for (x1, y1), (x2, y2) in zip(points, points[1:] + points[:1]):
                if (y1 <= y < y2) or (y2 <= y < y1):
                    xs.append(x1 + (y - y1) * (x2 - x1) / (y2 - y1))
            xs.sort()
            for xa, xb in zip(xs[::2], xs[1::2]):
                for x in range(int(math.ceil(xa)), int(xb) + 1):
                    self.dot(x, y, colour)

    def rect(self, x0, y0, x1, y1, colour):
        for y in range(y0, y1):
            for x in range(x0, x1):
                self.dot(x, y, colour)

    def text(self, x, y, text, colour, size=2, box=None):
        """Draws text with its top left corner at x, y; box paints a background first."""
        width = len(text) * 6 * size
        if box:
            self.rect(x - size, y - size, x + width, y + 8 * size, box)
        for n, ch in enumerate(text):
            rows = FONT[ch]
            for r, bits in enumerate(rows):
                for c in range(5):
                    if bits >> (4 - c) & 1:
                        self.rect(x + (n * 6 + c) * size, y + r * size,
                                  x + (n * 6 + c + 1) * size, y + (r + 1) * size, colour)
        return width

    def frame(self, x0, y0, x1, y1):
        """Outlines the map frame and keeps later drawing inside it until unframe()."""
        self.polyline([(x0 - 1, y0 - 1), (x1, y0 - 1), (x1, y1), (x0 - 1, y1)], INK, closed=True)
        self.clip = (x0, y0, x1, y1)

    def unframe(self):
        self.clip = (0, 0, self.w, self.h)

    def png(self, path):
        raw = b"".join(b"\0" + bytes(self.px[y * self.w * 3:(y + 1) * self.w * 3]) for y in range(self.h))

        def chunk(kind, data):
            return struct.pack(">I", len(data)) + kind + data + struct.pack(">I", zlib.crc32(kind + data))

        with open(path, "wb") as out:
            out.write(b"\x89PNG\r\n\x1a\n")
            out.write(chunk(b"IHDR", struct.pack(">IIBBBBB", self.w, self.h, 8, 2, 0, 0, 0)))
            out.write(chunk(b"IDAT", zlib.compress(raw, 9)))
            out.write(chunk(b"IEND", b""))


# 5x7 glyphs for the labels: digits, signs, and the letters of "км" and "С" (north).
FONT = {
    "0": [14, 17, 19, 21, 25, 17, 14], "1": [4, 12, 4, 4, 4, 4, 14], "2": [14, 17, 1, 2, 4, 8, 31],
    "3": [31, 2, 4, 2, 1, 17, 14], "4": [2, 6, 10, 18, 31, 2, 2], "5": [31, 16, 30, 1, 1, 17, 14],
    "6": [6, 8, 16, 30, 17, 17, 14], "7": [31, 1, 2, 4, 8, 8, 8], "8": [14, 17, 17, 14, 17, 17, 14],
    "9": [14, 17, 17, 15, 1, 2, 12], "-": [0, 0, 0, 31, 0, 0, 0], ".": [0, 0, 0, 0, 0, 12, 12],
    "°": [12, 18, 12, 0, 0, 0, 0], "'": [4, 4, 8, 0, 0, 0, 0], " ": [0] * 7,
    "к": [0, 0, 18, 20, 24, 20, 18], "м": [0, 0, 17, 27, 21, 17, 17], "С": [14, 17, 16, 16, 16, 17, 14],
}

PAPER = (250, 248, 240)
INK = (40, 40, 40)
GRID = (200, 200, 200)
WATER = (70, 130, 200)
LAKE = (160, 200, 235)
TRAP = (214, 40, 40)


def scale_bar(canvas, x, y, px_per_km, km, step):
    for i in range(0, km, step):
        colour = INK if (i // step) % 2 == 0 else PAPER
        canvas.rect(int(x + i * px_per_km), y, int(x + (i + step) * px_per_km), y + 8, colour)
    canvas.polyline([(x, y), (x + km * px_per_km, y), (x + km * px_per_km, y + 8), (x, y + 8)], INK, closed=True)
    for i in range(0, km + 1, step):
        canvas.text(int(x + i * px_per_km) - 6 * len(str(i)), y + 14, str(i), INK)
    canvas.text(int(x + km * px_per_km) + 16, y + 14, "км", INK)


def north_arrow(canvas, x, y):
    canvas.fill([(x, y), (x + 10, y + 34), (x, y + 26), (x - 10, y + 34)], INK)
    canvas.text(x - 5, y - 22, "С", INK)


def overview_map():
    """A schematic of the licence area: rivers, lakes, the settlement, the road and the structure."""
    w, h = 900, 740
    left, top, right, bottom = 90, 60, w - 30, h - 90
    canvas = Canvas(w, h, PAPER)
    lat_s, lon_w = 64.20, 75.95
    e0, n0 = gauss_kruger(lat_s, lon_w)
    px_per_m = 7.8 / 1000  # 1:500 000 on a screen, about

    def to_px(lat, lon):
        e, n = gauss_kruger(lat, lon)
        return left + (e - e0) * px_per_m, bottom - (n - n0) * px_per_m

    def km_px(x_km, y_km):
        return to_px(*geographic(x_km, y_km))

    canvas.frame(left, top, right, bottom)
    rnd = random.Random(2018)
    for _ in range(220):  # thermokarst lakes of the tundra
        cx, cy = rnd.uniform(-60, 60), rnd.uniform(-45, 45)
        if abs(cx) < 9 and abs(cy) < 7:
            continue
        rx, ry = rnd.uniform(0.3, 1.6), rnd.uniform(0.3, 1.1)
        canvas.fill([km_px(cx + rx * math.cos(t / 8 * math.pi), cy + ry * math.sin(t / 8 * math.pi))
                     for t in range(16)], LAKE)
    # The main river flows north along the west side, a tributary joins it from the east.
    main = [km_px(-22 + 6 * math.sin(y / 7) + 2 * math.sin(y / 2.3), y) for y in [i * 0.5 - 50 for i in range(200)]]
    canvas.polyline(main, WATER, 4)
    branch = [km_px(x, -14 + 5 * math.sin(x / 6) + 1.5 * math.sin(x / 1.9)) for x in [-27 + i * 0.5 for i in range(184)]]
    canvas.polyline(branch, WATER, 2)
    parallels, meridians = (64.25, 64.5, 64.75, 65.0), (76.0, 76.5, 77.0, 77.5)
    for lat in parallels:
        canvas.polyline([to_px(lat, 75.8 + i * 0.05) for i in range(50)], GRID)
    for lon in meridians:
        canvas.polyline([to_px(64.1 + i * 0.02, lon) for i in range(50)], GRID)
    # Settlement on the river, the winter road to the area, the licence area and the structure.
    town = km_px(-24.5, -38)
    canvas.polyline([town, km_px(-12, -27), km_px(-6, -15), km_px(-2, -6)], (120, 90, 60), 2, dash=6)
    canvas.rect(int(town[0]) - 6, int(town[1]) - 6, int(town[0]) + 6, int(town[1]) + 6, INK)
    licence = [km_px(x, y) for x, y in [(-16, 14), (14, 15), (17, -4), (12, -17), (-13, -16), (-18, -2)]]
    canvas.polyline(licence, TRAP, 3, closed=True, dash=10)
    outline = [km_px(x, y) for x, y in HORIZONS[0].outline_km]
    canvas.fill(outline, (245, 190, 80))
    canvas.polyline(outline, (150, 70, 10), 2, closed=True)
    canvas.unframe()

    def dms(value):
        return "%d°%02d'" % (int(value), round((value % 1) * 60))

    for lat in parallels:  # labels where the parallels meet the left edge of the frame
        y = min((abs(x - left), y) for x, y in (to_px(lat, 75.8 + i * 0.005) for i in range(500)))[1]
        if top < y < bottom:
            canvas.text(6, int(y) - 7, dms(lat), INK)
    for lon in meridians:  # and where the meridians meet the bottom edge
        x = min((abs(y - bottom), x) for x, y in (to_px(64.1 + i * 0.002, lon) for i in range(500)))[1]
        if left < x < right:
            canvas.text(int(x) - 36, bottom + 10, dms(lon), INK)
    scale_bar(canvas, 560, bottom + 40, px_per_m * 1000, 30, 10)
    north_arrow(canvas, w - 60, 24)
    canvas.png(os.path.join(HERE, "overview-map.png"))


def structural_map(horizon, crest_depth, last_closed, step):
    """Isohypses of the top of a productive horizon around its trap outline (depths in metres)."""
    w, h = 800, 740
    left, top, right, bottom = 80, 40, w - 20, h - 70
    canvas = Canvas(w, h, PAPER)
    centre = (sum(e for e, _ in horizon.gk) / len(horizon.gk), sum(n for _, n in horizon.gk) / len(horizon.gk))
    px_per_m = 0.045  # 1:50 000 on a screen, about
    mid = ((left + right) / 2, (top + bottom) / 2)

    def to_px(e, n):
        return mid[0] + (e - centre[0]) * px_per_m, mid[1] - (n - centre[1]) * px_per_m

    def to_m(x, y):
        return centre[0] + (x - mid[0]) / px_per_m, centre[1] - (y - mid[1]) / px_per_m

    # Kilometre grid of the projection, labelled in km outside the frame.
    canvas.frame(left, top, right, bottom)
    east_km = range(int(to_m(left, 0)[0] / 1000) + 1, int(to_m(right, 0)[0] / 1000) + 1)
    north_km = range(int(to_m(0, bottom)[1] / 1000) + 1, int(to_m(0, top)[1] / 1000) + 1)
    for km in east_km:
        x = to_px(km * 1000, 0)[0]
        canvas.line((x, top), (x, bottom), GRID)
    for km in north_km:
        y = to_px(0, km * 1000)[1]
        canvas.line((left, y), (right, y), GRID)

    # The dome: the relative radius rho of an isohypse grows with depth; rho = 1 is the trap outline.
    ux, uy = math.cos(horizon.rot), math.sin(horizon.rot)
    amplitude = last_closed - crest_depth
    labels = []
    for n, depth in enumerate(range(crest_depth + step - crest_depth % step, last_closed + 3 * step + 1, step)):
        rho = ((depth - crest_depth) / amplitude) ** 0.6
        stretch = 1 + max(0.0, rho - 1) * 2.5  # the isohypses below the spill point open along the long axis
        pts = []
        for e, nn in horizon.gk:
            de, dn = (e - centre[0]) * rho, (nn - centre[1]) * rho
            along = (de * ux + dn * uy) * (stretch - 1)
            pts.append(to_px(centre[0] + de + along * ux, centre[1] + dn + along * uy))
        trap = depth == last_closed
        canvas.polyline(pts, TRAP if trap else INK, 3 if trap else 1, closed=depth <= last_closed)
        # Labels alternate between the north-eastern and the south-western ends, where the lines lie apart.
        side = 1 if n % 2 == 0 else -1
        inside = [p for p in pts if left + 40 < p[0] < right - 90 and top + 10 < p[1] < bottom - 20]
        if inside:
            p = max(inside, key=lambda q: side * ((q[0] - mid[0]) * ux - (q[1] - mid[1]) * uy))
            labels.append((p, "-%d" % depth))
    x, y = to_px(*centre)  # the projected well at the crest
    canvas.disc(x, y, 7, INK)
    canvas.disc(x, y, 4, PAPER)
    for (x, y), text in labels:
        canvas.text(int(x) - 30, int(y) - 7, text, TRAP if text == "-%d" % last_closed else INK, box=PAPER)
    canvas.unframe()
    for km in east_km[::2]:
        x = to_px(km * 1000, 0)[0]
        if left + 30 < x < right - 30:
            canvas.text(int(x) - 30, top - 22, str(km), INK)
    for km in north_km[::2]:
        y = to_px(0, km * 1000)[1]
        canvas.text(8, int(y) - 7, str(km), INK)
    scale_bar(canvas, 480, bottom + 24, px_per_m * 1000, 4, 1)
    canvas.rect(w - 62, top + 4, w - 24, top + 60, PAPER)
    north_arrow(canvas, w - 43, top + 26)
    canvas.png(os.path.join(HERE, "structural-map-ju1.png"))


def rtf_text(text):
    out = []
    for ch in text:
        code = ord(ch)
        if ch in "\\{}":
            out.append("\\" + ch)
        elif code < 128:
            out.append(ch)
        else:
            out.append("\\u%d?" % (code if code < 32768 else code - 65536))
    return "".join(out)


def write_rtf(name, paragraphs):
    """A small RTF document (A4) of paragraphs (alignment, size in half points, bold, text)."""
    body = []
    for align, size, bold, text in paragraphs:
        body.append("\\pard\\%s\\sa160\\fs%d%s %s%s\\par" % (align, size, "\\b" if bold else "", rtf_text(text),
                                                            "\\b0" if bold else ""))
    document = ("{\\rtf1\\ansi\\ansicpg1251\\deff0\\uc1"
                "{\\fonttbl{\\f0\\froman\\fcharset204 Times New Roman;}}"
                "\\paperw11906\\paperh16838\\margl1701\\margr850\\margt1134\\margb1134\n"
                + "\n".join(body) + "\n}\n")
    with open(os.path.join(HERE, name), "w", encoding="ascii", newline="\n") as out:
        out.write(document)


def title_page():
    """The passport's title page (centred block)."""
    write_rtf("title-page.rtf", [
        ("qc", 28, True, "Акционерное общество «Тарвенагеофизика»"),
        ("qc", 24, False, ""),
        ("qr", 24, False, "УТВЕРЖДАЮ"),
        ("qr", 24, False, "Главный геолог АО «Тарвенагеофизика»"),
        ("qr", 24, False, "_______________ Б. С. Орлов"),
        ("qr", 24, False, "«___» ____________ 2018 г."),
        ("qc", 24, False, ""),
        ("qc", 40, True, "ПАСПОРТ"),
        ("qc", 28, False, "на объект, подготовленный к глубокому бурению"),
        ("qc", 36, True, "Северо-Тарвенская структура"),
        ("qc", 28, False, "Ямало-Ненецкий автономный округ, Пуровский район"),
        ("qc", 28, False, "Западно-Сибирская нефтегазоносная провинция, Надым-Пурская нефтегазоносная область"),
        ("qc", 24, False, ""),
        ("qc", 26, False, "Объект подготовлен сейсморазведкой МОГТ 3D (сейсморазведочная партия № 17/16-17)"),
        ("qc", 26, False, "Лицензионный участок: Северо-Тарвенский (лицензия СЛХ 02517 НР)"),
        ("qc", 26, False, "Недропользователь: ООО «Тарвенанефтегаз»"),
        ("qc", 24, False, ""),
        ("ql", 24, False, "Ответственные исполнители: Иванов А. П., Сергеева Н. В., Ким Д. О., Латыпов Р. Р."),
        ("qc", 24, False, ""),
        ("qc", 28, False, "г. Тюмень, 2018"),
    ])


def explanatory_note():
    """The explanatory note: what the passport rests on, in a few paragraphs."""
    write_rtf("explanatory-note.rtf", [
        ("qc", 32, True, "Пояснительная записка"),
        ("qc", 28, False, "к паспорту на Северо-Тарвенскую структуру"),
        ("qj", 24, False, "Структура выявлена сейсморазведкой МОГТ 2D в 2009 году и подготовлена к глубокому бурению "
                          "сейсморазведкой МОГТ 3D в 2016-2018 годах на Северо-Тарвенском лицензионном участке."),
        ("qj", 24, False, "Структурные построения выполнены по отражающим горизонтам Г, М и Б в масштабе 1:50 000. "
                          "Возможные продуктивные горизонты: ПК1 (газ), БП10 (газоконденсат), Ач1 (нефть и газ), "
                          "Ю1 (нефть)."),
        ("qj", 24, False, "Ресурсы категории D0 оценены объемным методом; вероятностная оценка выполнена по "
                          "диапазонам подсчетных параметров."),
    ])


def graphics_list():
    """The list of the graphic attachments."""
    write_rtf("graphics-list.rtf", [
        ("qc", 32, True, "Список графики"),
        ("ql", 24, False, "1. Обзорная карта района работ, масштаб 1:500 000"),
        ("ql", 24, False, "2. Фрагмент тектонической схемы, масштаб 1:1 000 000"),
        ("ql", 24, False, "3. Карта изученности, масштаб 1:200 000"),
        ("ql", 24, False, "4. Сводный геолого-геофизический разрез"),
        ("ql", 24, False, "5. Структурная карта по кровле пласта Ю1, масштаб 1:50 000"),
    ])


def tectonic_scheme():
    """A fragment of the tectonic scheme: the megaswell and the local high on it."""
    canvas = Canvas(480, 360, PAPER)
    canvas.frame(20, 20, 460, 340)
    swell = [(240 + 190 * math.cos(t / 16 * math.pi), 180 + 90 * math.sin(t / 16 * math.pi)) for t in range(32)]
    canvas.fill(swell, (235, 215, 170))
    canvas.polyline(swell, INK, closed=True)
    high = [(270 + 40 * math.cos(t / 12 * math.pi), 160 + 24 * math.sin(t / 12 * math.pi)) for t in range(24)]
    canvas.fill(high, TRAP)
    north_arrow(canvas, 430, 50)
    canvas.png(os.path.join(HERE, "tectonic-scheme.png"))


def study_map():
    """The map of the survey coverage: the 2D lines and the 3D area over the structure."""
    canvas = Canvas(480, 360, PAPER)
    canvas.frame(20, 20, 460, 340)
    for i in range(6):
        canvas.line((40 + i * 75, 30), (60 + i * 70, 330), INK)
        canvas.line((30, 50 + i * 55), (450, 40 + i * 58), INK)
    canvas.polyline([(180, 110), (330, 110), (330, 250), (180, 250)], WATER, width=3, closed=True)
    canvas.fill([(250 + 30 * math.cos(t / 12 * math.pi), 180 + 20 * math.sin(t / 12 * math.pi)) for t in range(24)],
                TRAP)
    canvas.png(os.path.join(HERE, "study-map.png"))


def summary_section():
    """The summary geological section: the layers from the Cenomanian down to the Oxfordian."""
    canvas = Canvas(240, 480, PAPER)
    colours = [(240, 230, 140), (200, 220, 160), (180, 200, 230), (230, 190, 160), (160, 160, 160)]
    for i, colour in enumerate(colours):
        canvas.rect(60, 20 + i * 88, 180, 20 + (i + 1) * 88, colour)
        canvas.text(190, 50 + i * 88, str(1000 + i * 500), INK)
    canvas.frame(60, 20, 180, 460)
    canvas.png(os.path.join(HERE, "summary-section.png"))


def main():
    for horizon in HORIZONS:
        horizon.write()
        long_axis, short_axis = horizon.axes()
        print("%-5s points %3d  area %.1f km2  axes %.1f x %.1f km" % (
            horizon.key, len(horizon.outline_km), polygon_area(horizon.outline_km), long_axis, short_axis))
    overview_map()
    structural_map(HORIZONS[3], crest_depth=3059, last_closed=3110, step=10)
    title_page()
    explanatory_note()
    graphics_list()
    tectonic_scheme()
    study_map()
    summary_section()
    for name in ("overview-map.png", "structural-map-ju1.png", "title-page.rtf", "explanatory-note.rtf",
                 "graphics-list.rtf", "tectonic-scheme.png", "study-map.png", "summary-section.png"):
        print("%-24s %6d bytes" % (name, os.path.getsize(os.path.join(HERE, name))))


if __name__ == "__main__":
    main()
