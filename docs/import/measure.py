#!/usr/bin/env python3
"""Measures how well `kalvero-cli import` reproduces pictures, and draws the
pictures of docs/import.md.

Usage:  python3 docs/import/measure.py [--check] [path/to/kalvero-cli]
        (default: build/bin/kalvero-cli; run from anywhere)

With --check nothing is written: it fails when a picture in docs/import/, the
test set or a measured value in docs/import.md (the times left aside) is not
what this kalvero-cli makes.

It (re)makes the test set in docs/import/test-set/ (same bytes every time;
the fourth picture is our sample design, resources/samples/sample-logo.png),
imports each picture in every mode, lets kalvero-cli draw what the BIOS shows
(`render`; for --colors16 of the EPA 2.0 image `bmp2epa` makes of the bitmap),
compares that with the picture and writes the tables into docs/import.md
between the "measured" markers, and the before/after pictures into
docs/import/. Needs only python3; nothing else is installed.

The measure: the mean CIE 1976 colour difference (Delta E 76, the distance in
CIELAB, D65) over all pixels, rendered result against the picture; and the
same after both are blurred with a Gaussian of 1 pixel (in linear light),
which is roughly what the eye sees from a little farther away and where
dithering shows its worth.
"""

import math
import os
import random
import re
import runpy
import struct
import subprocess
import sys
import tempfile
import time
import zlib

HERE = os.path.dirname(os.path.abspath(__file__))
ROOT = os.path.normpath(os.path.join(HERE, "..", ".."))
DOC = os.path.join(ROOT, "docs", "import.md")
BEGIN, END = "<!-- measured: begin -->", "<!-- measured: end -->"

PALETTE = [(0, 0, 0), (0, 0, 128), (0, 128, 0), (0, 128, 128), (128, 0, 0), (128, 0, 128),
           (128, 128, 0), (192, 192, 192), (128, 128, 128), (0, 0, 255), (0, 255, 0),
           (0, 255, 255), (255, 0, 0), (255, 0, 255), (255, 255, 0), (255, 255, 255)]


# --- PNG ------------------------------------------------------------------------

def write_png(path, width, height, pixels):
    raw = b"".join(b"\0" + bytes(c for p in pixels[y * width:(y + 1) * width] for c in p)
                   for y in range(height))

    def chunk(kind, data):
        return (struct.pack(">I", len(data)) + kind + data +
                struct.pack(">I", zlib.crc32(kind + data) & 0xFFFFFFFF))

    with open(path, "wb") as f:
        f.write(b"\x89PNG\r\n\x1a\n" + chunk(b"IHDR", struct.pack(">IIBBBBB", width, height, 8, 2,
                                                                   0, 0, 0)) +
                chunk(b"IDAT", zlib.compress(raw, 9)) + chunk(b"IEND", b""))


def read_png(path):
    """Width, height and (r, g, b) pixels, by the PNG reader of our sample checker."""
    checker = runpy.run_path(os.path.join(ROOT, "resources", "tools", "check-sample-logo.py"))
    width, height, rows = checker["read_png"](path)
    return width, height, [pixel[:3] for row in rows for pixel in row]


def enlarge(width, height, pixels, factor):
    out = []
    for y in range(height * factor):
        row = pixels[(y // factor) * width:(y // factor + 1) * width]
        out += [p for p in row for _ in range(factor)]
    return width * factor, height * factor, out


# --- colour ----------------------------------------------------------------

LINEAR = [v / 255 / 12.92 if v / 255 <= 0.04045 else ((v / 255 + 0.055) / 1.055) ** 2.4
          for v in range(256)]


def lab(linear):
    r, g, b = linear
    x = (0.4124564 * r + 0.3575761 * g + 0.1804375 * b) / 0.95047
    y = 0.2126729 * r + 0.7151522 * g + 0.0721750 * b
    z = (0.0193339 * r + 0.1191920 * g + 0.9503041 * b) / 1.08883

    def f(t):
        return t ** (1 / 3) if t > 216 / 24389 else t * 841 / 108 + 4 / 29

    fx, fy, fz = f(x), f(y), f(z)
    return 116 * fy - 16, 500 * (fx - fy), 200 * (fy - fz)


def to_linear(pixels):
    return [(LINEAR[p[0]], LINEAR[p[1]], LINEAR[p[2]]) for p in pixels]


def blur(width, height, linear):
    weights = [math.exp(-k * k / 2) for k in range(-3, 4)]
    total = sum(weights)
    weights = [w / total for w in weights]

    def one_way(source, along_x):
        out = []
        for y in range(height):
            for x in range(width):
                r = g = b = 0.0
                for k, w in enumerate(weights):
                    if along_x:
                        p = source[y * width + min(width - 1, max(0, x + k - 3))]
                    else:
                        p = source[min(height - 1, max(0, y + k - 3)) * width + x]
                    r += w * p[0]
                    g += w * p[1]
                    b += w * p[2]
                out.append((r, g, b))
        return out

    return one_way(one_way(linear, True), False)


def mean_delta_e(first, second):
    total = 0.0
    for p, q in zip(first, second):
        a, b = lab(p), lab(q)
        total += math.sqrt((a[0] - b[0]) ** 2 + (a[1] - b[1]) ** 2 + (a[2] - b[2]) ** 2)
    return total / len(first)


def grey(pixel):
    r, g, b = (LINEAR[c] for c in pixel)
    y = 0.2126729 * r + 0.7151522 * g + 0.0721750 * b
    encoded = y * 12.92 if y <= 0.0031308 else 1.055 * y ** (1 / 2.4) - 0.055
    return round(encoded * 255)


# --- the test set ----------------------------------------------------------

def hsv(h, s, v):
    i = int(h * 6) % 6
    f = h * 6 - int(h * 6)
    p, q, t = v * (1 - s), v * (1 - f * s), v * (1 - (1 - f) * s)
    r, g, b = [(v, t, p), (q, v, p), (p, v, t), (p, q, v), (t, p, v), (v, p, q)][i]
    return tuple(round(255 * c) for c in (r, g, b))


def gradient():
    """136 x 84: hues across, dark to light down, a grey ramp at the bottom."""
    pixels = []
    for y in range(84):
        for x in range(136):
            if y >= 70:
                v = round(255 * x / 135)
                pixels.append((v, v, v))
            else:
                pixels.append(hsv(x / 136, 1 - max(0, y - 35) / 45, min(1, 0.15 + y / 40)))
    return 136, 84, pixels


def value_noise(seed, size):
    rng = random.Random(seed)
    grid = [[rng.random() for _ in range(size + 1)] for _ in range(size + 1)]

    def at(u, v):
        u, v = u * size, v * size
        i, j = min(int(u), size - 1), min(int(v), size - 1)
        fu, fv = u - i, v - j
        fu, fv = fu * fu * (3 - 2 * fu), fv * fv * (3 - 2 * fv)
        top = grid[j][i] * (1 - fu) + grid[j][i + 1] * fu
        bottom = grid[j + 1][i] * (1 - fu) + grid[j + 1][i + 1] * fu
        return top * (1 - fv) + bottom * fv

    return at


def photo():
    """136 x 126, photo-like: sky with clouds, a sun, hills and a noisy field."""
    octaves = [(value_noise(7 + o, 4 << o), 0.5 ** o) for o in range(5)]

    def noise(u, v):
        return sum(w * n(u, v) for n, w in octaves) / 1.9375

    pixels = []
    for y in range(126):
        for x in range(136):
            u, v = x / 136, y / 126
            n = noise(u, v)
            hill = 0.48 + 0.12 * math.sin(u * 5 + 1) + 0.08 * (noise(u, 0.1) - 0.5)
            if v < hill:
                sky = (40 + 90 * v, 90 + 110 * v, 200 + 40 * v)
                cloud = max(0.0, n - 0.55) * 3
                sun = max(0.0, 1 - math.hypot(u - 0.75, v - 0.18) / 0.09)
                c = [s + (245 - s) * min(1, cloud) for s in sky]
                c = [ci + (255 - ci) * min(1, sun * 1.5) for ci in c]
            else:
                depth = (v - hill) / (1 - hill)
                c = (70 + 90 * n - 40 * depth, 110 + 80 * n - 30 * depth, 30 + 30 * n)
                if 0.3 < u < 0.42 and v > hill + 0.15:
                    c = (150 + 60 * n, 60 + 30 * n, 30)  # a red-brown barn
            pixels.append(tuple(max(0, min(255, round(ci))) for ci in c))
    return 136, 126, pixels


FONT = {  # 5 x 7 letters, one string of five bits per row
    "K": "10001 10010 10100 11000 10100 10010 10001",
    "A": "01110 10001 10001 11111 10001 10001 10001",
    "L": "10000 10000 10000 10000 10000 10000 11111",
    "V": "10001 10001 10001 10001 10001 01010 00100",
    "E": "11111 10000 10000 11110 10000 10000 11111",
    "R": "11110 10001 10001 11110 10100 10010 10001",
    "O": "01110 10001 10001 10001 10001 10001 01110",
    "B": "11110 10001 10001 11110 10001 10001 11110",
    "I": "01110 00100 00100 00100 00100 00100 01110",
    "S": "01111 10000 10000 01110 00001 00001 11110",
    "2": "01110 10001 00001 00010 00100 01000 11111",
    "0": "01110 10001 10011 10101 11001 10001 01110",
    "5": "11111 10000 11110 00001 00001 10001 01110",
    " ": "00000 00000 00000 00000 00000 00000 00000",
}


def logo():
    """136 x 126, logo-like: flat colours off the palette, a disc, text."""
    orange, purple, teal, pink, cream = (255, 140, 0), (110, 40, 200), (0, 150, 140), \
        (240, 90, 160), (250, 240, 200)
    pixels = [(0, 0, 0)] * (136 * 126)

    def put(x, y, c):
        if 0 <= x < 136 and 0 <= y < 126:
            pixels[y * 136 + x] = c

    for y in range(126):
        for x in range(136):
            if math.hypot(x - 34, y - 36) < 26:
                put(x, y, orange)
            if 70 <= x < 128 and 12 <= y < 60:
                put(x, y, purple if (x - 70) // 6 % 2 == 0 or y < 24 else teal)
            if 6 <= y - 70 + x // 8 < 12:
                put(x, y, pink)

    def text(s, left, top, scale, colour):
        for i, ch in enumerate(s):
            for row, bits in enumerate(FONT[ch].split()):
                for col, bit in enumerate(bits):
                    if bit == "1":
                        for dy in range(scale):
                            for dx in range(scale):
                                put(left + (i * 6 + col) * scale + dx, top + row * scale + dy,
                                    colour)

    text("KALVERO", 11, 82, 2, cream)
    text("BIOS 2025", 13, 104, 2, orange)
    return 136, 126, pixels


# --- the simple way, to compare with ------------------------------------------

def simple_logo(width, height, pixels, trailer):
    """Mono threshold for the bits, then the most frequent palette colour of a
    cell's lit pixels (nearest in RGB) as its colour."""
    rows = height // 14
    attributes, glyphs = [], []
    for cell_row in range(rows):
        for column in range(17):
            votes = [0] * 16
            cell = []
            for line in range(14):
                byte = 0
                for bit in range(8):
                    p = pixels[(cell_row * 14 + line) * width + column * 8 + bit]
                    if grey(p) >= 119:
                        byte |= 0x80 >> bit
                        votes[min(range(16), key=lambda i: sum(
                            (a - b) ** 2 for a, b in zip(p, PALETTE[i])))] += 1
                cell.append(byte)
            attributes.append(max(range(1, 16), key=lambda i: (votes[i], -i))
                              if any(votes[1:]) else 15)
            glyphs += cell
    return bytes([17, rows] + attributes + glyphs) + trailer


# --- running kalvero-cli -------------------------------------------------------

MODES = [("none", ["--dither", "none"]), ("ordered", ["--dither", "ordered"]),
         ("diffusion", ["--dither", "diffusion"])]
TARGETS = [("epa", [], ".epa"), ("colors16", ["--colors16"], ".bmp"), ("mono", ["--mono"], ".bmp")]


def run(cli, *arguments):
    subprocess.run([cli] + list(arguments), check=True)


def shown(cli, work, name, made, target):
    """The PNG of what the BIOS shows of a made file, and its pixels."""
    if target == "colors16":
        run(cli, "bmp2epa", made, os.path.join(work, name + ".epa"))
        made = os.path.join(work, name + ".epa")
    png = os.path.join(work, name + ".png")
    run(cli, "render", made, png)
    return made, read_png(png)[2]


def measure(cli, work, picture, path, source):
    width, height, pixels = source
    reference = to_linear(pixels)
    reference_blurred = blur(width, height, reference)
    results, files = {}, {}

    def score(key, made, rendered):
        linear = to_linear(rendered)
        results[key] = (mean_delta_e(reference, linear),
                        mean_delta_e(reference_blurred, blur(width, height, linear)))
        files[key] = made

    for target, options, extension in TARGETS:
        for mode, mode_options in MODES + [("default", [])]:
            name = f"{picture}-{target}-{mode}"
            made = os.path.join(work, name + extension)
            seconds = []
            for _ in range(3 if mode == "default" else 1):  # the fastest of three: a busy machine
                start = time.perf_counter()
                run(cli, "import", *options, *mode_options, path, made)
                seconds.append(time.perf_counter() - start)
            if mode == "default":
                results[(target, "seconds")] = min(seconds)
                files[(target, "default")] = made
                continue
            score((target, mode), *shown(cli, work, name, made, target))
    with open(files[("epa", "none")], "rb") as f:
        trailer = f.read()[-70:]
    simple = os.path.join(work, picture + "-simple.epa")
    with open(simple, "wb") as f:
        f.write(simple_logo(width, height, pixels, trailer))
    score(("epa", "simple"), *shown(cli, work, picture + "-simple", simple, "epa"))
    return results, files


def default_mode(work, files, target):
    """Which mode the default picked: the one whose file has the same bytes."""
    with open(files[(target, "default")], "rb") as f:
        default = f.read()
    for mode, _ in MODES:
        with open(os.path.join(work, os.path.basename(files[(target, "default")])
                               .replace("-default", "-" + mode)), "rb") as f:
            if f.read() == default:
                return mode
    return "?"


def main():
    arguments = sys.argv[1:]
    check = "--check" in arguments
    arguments = [a for a in arguments if a != "--check"]
    cli = os.path.abspath(arguments[0] if arguments else
                          os.path.join(ROOT, "build", "bin", "kalvero-cli"))
    with tempfile.TemporaryDirectory() as work:
        out = os.path.join(work, "out") if check else HERE
        test_set = os.path.join(out, "test-set")
        os.makedirs(test_set, exist_ok=True)
        for name, make in [("gradient", gradient), ("photo", photo), ("logo", logo)]:
            write_png(os.path.join(test_set, name + ".png"), *make())

        pictures = ["gradient", "photo", "logo", "sample-logo"]
        paths = {name: os.path.join(test_set, name + ".png") for name in pictures}
        paths["sample-logo"] = os.path.join(ROOT, "resources", "samples", "sample-logo.png")
        tables = {target: [] for target, _, _ in TARGETS}
        for picture in pictures:
            source = read_png(paths[picture])
            results, files = measure(cli, work, picture, paths[picture], source)
            for target, _, _ in TARGETS:
                tables[target].append((picture, results, default_mode(work, files, target)))
            draw(cli, work, out, picture, source, files)
        if check:
            sys.exit(0 if check_doc(tables) & check_pictures(out) else 1)
        write_doc(tables)


def check_pictures(out):
    """True when every picture made in out has the pixels of the one in docs."""
    same = True
    for folder, _, names in os.walk(out):
        for name in sorted(names):
            made = os.path.join(folder, name)
            kept = os.path.join(HERE, os.path.relpath(made, out))
            if not os.path.exists(kept) or read_png(made) != read_png(kept):
                print(f"{os.path.relpath(kept, ROOT)} is not what kalvero-cli makes now",
                      file=sys.stderr)
                same = False
    return same


def without_times(text):
    return re.sub(r"\| \d+ ms \|", "| ms |", text)


def check_doc(tables):
    with open(DOC, encoding="utf-8") as f:
        doc = f.read()
    kept = doc[doc.index(BEGIN) + len(BEGIN):doc.index(END)]
    if without_times(kept) != without_times("\n" + doc_tables(tables)):
        print("docs/import.md's measured values are not those of kalvero-cli now", file=sys.stderr)
        return False
    return True


def draw(cli, work, out, picture, source, files):
    """The before/after pictures of docs/import.md, each pixel doubled."""
    write_png(os.path.join(out, picture + ".png"), *enlarge(*source, 2))
    shots = [("epa", ("epa", "default")), ("simple", ("epa", "simple")),
             ("colors16", ("colors16", "default")), ("mono", ("mono", "default"))]
    if picture == "photo":  # the default, diffusion, is photo-epa.png
        shots += [("epa-none", ("epa", "none")), ("epa-ordered", ("epa", "ordered"))]
    for suffix, key in shots:
        made = files[key]
        if key[0] == "colors16":
            run(cli, "bmp2epa", made, os.path.join(work, "shot.epa"))
            made = os.path.join(work, "shot.epa")
        run(cli, "render", "--scale", "2", made, os.path.join(out, f"{picture}-{suffix}.png"))


def doc_tables(tables):
    def cell(values, best):
        text = f"{values[0]:.1f} / {values[1]:.1f}"
        return f"**{text}**" if best else text

    lines = []
    heads = {"epa": ("EPA version 1 logo", ["simple"] + [m for m, _ in MODES]),
             "colors16": ("16-colour bitmap, as EPA 2.0 shows it", [m for m, _ in MODES]),
             "mono": ("2-colour bitmap", [m for m, _ in MODES])}
    for target, rows in tables.items():
        title, columns = heads[target]
        names = ["threshold 119" if c == "none" and target == "mono" else
                 "simple (threshold + majority)" if c == "simple" else c for c in columns]
        lines += [f"**{title}** (mean ΔE76 per pixel / after blurring; the default in bold)", "",
                  "| picture | " + " | ".join(names) + " | time of the default |",
                  "|---" * (len(columns) + 2) + "|"]
        for picture, results, default in rows:
            lines.append(f"| {picture} | " + " | ".join(
                cell(results[(target, c)], c == default) for c in columns) +
                f" | {results[(target, 'seconds')] * 1000:.0f} ms |")
        lines.append("")
    return "\n".join(lines)


def write_doc(tables):
    with open(DOC, encoding="utf-8") as f:
        doc = f.read()
    start, end = doc.index(BEGIN) + len(BEGIN), doc.index(END)
    with open(DOC, "w", encoding="utf-8") as f:
        f.write(doc[:start] + "\n" + doc_tables(tables) + doc[end:])


if __name__ == "__main__":
    main()
