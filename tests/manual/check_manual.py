#!/usr/bin/env python3
"""Checks the built user manual with poppler's tools, as a reader's PDF viewer would see it.

usage: check_manual.py MANUAL.pdf BUILDER SOURCES PASSPORT DICTIONARIES

Every page caption of the editor is in its text, the text is Cyrillic drawn with embedded fonts (no
glyph falls back to the empty box), the pictures of the program are not blank, and the builder refuses
sources that leave a page without its section.
"""
import os
import re
import shutil
import subprocess
import sys
import tempfile
import zlib

CAPTIONS = [
    "1.География", "2.История", "3.Методика подготовки", "4.Геология", "5.Отражающие горизонты",
    "6.Качество", "7.Возможные продуктивные горизонты", "8.Ресурсы нефти", "9.Ресурсы газа",
    "10.Ресурсы газоконденсата", "11.Контуры ловушек", "Документы/Графика", "О программе",
]
# Screenshots of the editor's pages and windows, the logo on the title page.
MIN_PICTURES = len(CAPTIONS) + 1

failures = []


def check(condition, message):
    if not condition:
        failures.append(message)


def run(*command):
    return subprocess.run(command, check=True, capture_output=True, text=True).stdout


def colours_of_ppm(path):
    """The number of distinct colours of a binary PPM (P6) or PGM (P5) file."""
    data = open(path, "rb").read()
    fields = re.match(rb"(P[56])\s+(\d+)\s+(\d+)\s+(\d+)\s", data)
    kind, width, height = fields.group(1), int(fields.group(2)), int(fields.group(3))
    pixels = data[fields.end():]
    step = 3 if kind == b"P6" else 1
    return len({pixels[i:i + step] for i in range(0, width * height * step, step)})


def check_info(pdf):
    info = run("pdfinfo", pdf)
    check("(A4)" in info, "the pages are not A4:\n" + info)
    pages = int(re.search(r"^Pages:\s+(\d+)", info, re.M).group(1))
    check(pages >= 20, f"only {pages} pages")
    check("Инструкция пользователя" in info, "the PDF's title is not the manual's")


def check_fonts(pdf):
    rows = run("pdffonts", pdf).splitlines()[2:]
    check(rows, "no fonts in the PDF")
    for row in rows:
        columns = row.split()
        # name type... encoding emb sub uni object ID: emb is the fifth column from the end.
        check(columns[-5] == "yes", "font not embedded: " + row)
        check(columns[-3] == "yes", "font without a Unicode map: " + row)


def check_text(pdf):
    text = " ".join(run("pdftotext", "-raw", pdf, "-").split())
    for caption in CAPTIONS:
        check(caption in text, f"caption «{caption}» is not in the text")
    cyrillic = sum(1 for c in text if "\u0400" <= c <= "\u04ff")
    check(cyrillic > 10000, f"only {cyrillic} Cyrillic letters")
    check("\ufffd" not in text, "the text holds replacement characters")


def check_glyphs(pdf):
    """Glyph 0 of a font is its empty box: no text may be drawn with it."""
    data = open(pdf, "rb").read()
    shown = 0
    for match in re.finditer(rb"stream\r?\n", data):
        end = data.find(b"endstream", match.end())
        try:
            content = zlib.decompress(data[match.end():end])
        except zlib.error:
            continue
        for glyphs in re.findall(rb"<([0-9A-Fa-f]+)>\s*Tj", content):
            shown += 1
            ids = [glyphs[i:i + 4] for i in range(0, len(glyphs), 4)]
            check(b"0000" not in ids, "a glyph is drawn as the font's empty box")
    check(shown > 1000, f"only {shown} text runs found in the page streams")


def check_pictures(pdf, scratch):
    # page num type width height ... object-ID: the same picture may be listed on two pages.
    listing = [row.split() for row in run("pdfimages", "-list", pdf).splitlines()[2:]]
    listing = [row for row in listing if row[2] == "image"]
    objects = {row[10] for row in listing}
    check(len(objects) >= MIN_PICTURES, f"only {len(objects)} pictures, expected {MIN_PICTURES}")
    run("pdfimages", pdf, os.path.join(scratch, "img"))
    for row in listing:
        name = next(n for n in os.listdir(scratch) if n.startswith(f"img-{int(row[1]):03d}."))
        colours = colours_of_ppm(os.path.join(scratch, name))
        check(colours > 16, f"picture {row[1]} on page {row[0]} is blank ({colours} colours)")
    # The first page with a screenshot, as a viewer shows it.
    pages = sorted({int(row[0]) for row in listing if int(row[3]) > 400})
    check(pages, "no screenshot-sized picture")
    if pages:
        run("pdftoppm", "-f", str(pages[0]), "-l", str(pages[0]), "-r", "50", pdf, os.path.join(scratch, "page"))
        page = next(n for n in os.listdir(scratch) if n.startswith("page"))
        check(colours_of_ppm(os.path.join(scratch, page)) > 16, f"page {pages[0]} renders in a single colour")


def check_builder_refuses(builder, sources, passport, dictionaries, scratch):
    """Sources without the contour page's section are refused, naming the page."""
    copy = os.path.join(scratch, "sources")
    shutil.copytree(sources, copy)
    for name in os.listdir(copy):
        path = os.path.join(copy, name)
        with open(path, encoding="utf-8") as f:
            text = f.read()
        if "page:TabSheet13" in text:
            with open(path, "w", encoding="utf-8") as f:
                f.write(text.replace("page:TabSheet13", "page:TabSheet12"))
    output = os.path.join(scratch, "refused.pdf")
    result = subprocess.run([builder, "--sources", copy, "--passport", passport, "--dictionaries", dictionaries,
                             "--output", output], capture_output=True, text=True,
                            env=dict(os.environ, QT_QPA_PLATFORM="offscreen"))
    check(result.returncode == 1, f"the builder accepted sources without a page: exit {result.returncode}")
    check("«11.Контуры ловушек» (TabSheet13) не описана" in result.stderr, "no message naming the page:\n"
          + result.stderr)
    check("TabSheet13" in result.stdout and "11.Контуры ловушек" in result.stdout,
          "the builder does not list the pages it found")
    check(not os.path.exists(output), "a PDF was written although a page has no section")


def main():
    pdf, builder, sources, passport, dictionaries = sys.argv[1:6]
    with tempfile.TemporaryDirectory() as scratch:
        check_info(pdf)
        check_fonts(pdf)
        check_text(pdf)
        check_glyphs(pdf)
        check_pictures(pdf, scratch)
        check_builder_refuses(builder, sources, passport, dictionaries, scratch)
    for failure in failures:
        print("FAIL:", failure)
    print("the manual has", "faults" if failures else "every page, readable text and pictures")
    return 1 if failures else 0


if __name__ == "__main__":
    sys.exit(main())
