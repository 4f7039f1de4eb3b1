#!/usr/bin/env python3
"""Checks that a PNG can become an EPA version-1 boot logo without losing colours.

Usage:  python3 resources/tools/check-sample-logo.py [file.png]
(default: resources/samples/sample-logo.png)

Rules checked:
  * the picture is 136 x 126 pixels (17 x 9 character cells of 8 x 14),
  * every pixel is black or one of the 15 other colours of the 16-colour palette,
  * every cell holds black plus at most one other colour.
Exit status 0 when all holds, 1 otherwise.  Needs only the Python standard library.
"""

import os
import struct
import sys
import zlib

PALETTE = {
    (0, 0, 0), (0, 0, 128), (0, 128, 0), (0, 128, 128), (128, 0, 0), (128, 0, 128),
    (128, 128, 0), (192, 192, 192), (128, 128, 128), (0, 0, 255), (0, 255, 0),
    (0, 255, 255), (255, 0, 0), (255, 0, 255), (255, 255, 0), (255, 255, 255),
}
CELL_W, CELL_H, COLS, ROWS = 8, 14, 17, 9


def read_png(path):
    """Width, height and rows of (r, g, b, a) for 8-bit grey/RGB/palette/RGBA PNGs."""
    with open(path, "rb") as f:
        data = f.read()
    if data[:8] != b"\x89PNG\r\n\x1a\n":
        raise ValueError("not a PNG file")
    pos, idat, plte, trns = 8, b"", None, None
    while pos < len(data):
        length, kind = struct.unpack(">I4s", data[pos:pos + 8])
        chunk = data[pos + 8:pos + 8 + length]
        pos += 12 + length
        if kind == b"IHDR":
            w, h, depth, ctype, _, _, interlace = struct.unpack(">IIBBBBB", chunk)
        elif kind == b"PLTE":
            plte = [tuple(chunk[i:i + 3]) for i in range(0, len(chunk), 3)]
        elif kind == b"tRNS":
            trns = chunk
        elif kind == b"IDAT":
            idat += chunk
        elif kind == b"IEND":
            break
    channels = {0: 1, 2: 3, 3: 1, 4: 2, 6: 4}[ctype]
    if interlace or (depth != 8 and not (depth in (1, 2, 4) and channels == 1)):
        raise ValueError("only non-interlaced PNGs of 8 bits, or fewer in one channel, are read here")
    raw = zlib.decompress(idat)
    # Bytes of a row, and the filters' distance to the pixel before (at least one byte).
    stride = (w * channels * depth + 7) // 8
    step = channels if depth == 8 else 1
    prev = bytearray(stride)
    rows = []
    for y in range(h):
        ftype = raw[y * (stride + 1)]
        line = bytearray(raw[y * (stride + 1) + 1:(y + 1) * (stride + 1)])
        for i in range(stride):
            a = line[i - step] if i >= step else 0
            b = prev[i]
            c = prev[i - step] if i >= step else 0
            if ftype == 1:
                line[i] = (line[i] + a) & 255
            elif ftype == 2:
                line[i] = (line[i] + b) & 255
            elif ftype == 3:
                line[i] = (line[i] + (a + b) // 2) & 255
            elif ftype == 4:
                p = a + b - c
                pa, pb, pc = abs(p - a), abs(p - b), abs(p - c)
                pred = a if pa <= pb and pa <= pc else (b if pb <= pc else c)
                line[i] = (line[i] + pred) & 255
        prev = line
        px = []
        if depth < 8:
            per_byte = 8 // depth
            line = bytearray((line[x // per_byte] >> (8 - depth * (x % per_byte + 1))) & ((1 << depth) - 1)
                             for x in range(w))
            if ctype == 0:
                line = bytearray(v * 255 // ((1 << depth) - 1) for v in line)
        for x in range(w):
            s = line[x * channels:(x + 1) * channels]
            if ctype == 0:
                px.append((s[0], s[0], s[0], 255))
            elif ctype == 2:
                px.append((s[0], s[1], s[2], 255))
            elif ctype == 3:
                r, g, bb = plte[s[0]]
                alpha = trns[s[0]] if trns is not None and s[0] < len(trns) else 255
                px.append((r, g, bb, alpha))
            elif ctype == 4:
                px.append((s[0], s[0], s[0], s[1]))
            else:
                px.append(tuple(s))
        rows.append(px)
    return w, h, rows


def main():
    here = os.path.dirname(os.path.abspath(__file__))
    path = sys.argv[1] if len(sys.argv) > 1 else os.path.join(here, "..", "samples", "sample-logo.png")
    w, h, rows = read_png(path)
    problems = []
    if (w, h) != (CELL_W * COLS, CELL_H * ROWS):
        problems.append("size is %dx%d, not %dx%d" % (w, h, CELL_W * COLS, CELL_H * ROWS))
    for y in range(h):
        for x in range(w):
            r, g, b, a = rows[y][x]
            if a != 255:
                problems.append("pixel (%d,%d) is not opaque (alpha %d)" % (x, y, a))
            elif (r, g, b) not in PALETTE:
                problems.append("pixel (%d,%d) has colour %s outside the palette" % (x, y, (r, g, b)))
    for cy in range(min(ROWS, h // CELL_H)):
        for cx in range(min(COLS, w // CELL_W)):
            colours = set()
            for y in range(cy * CELL_H, (cy + 1) * CELL_H):
                for x in range(cx * CELL_W, (cx + 1) * CELL_W):
                    rgb = rows[y][x][:3]
                    if rgb != (0, 0, 0):
                        colours.add(rgb)
            if len(colours) > 1:
                problems.append("cell column %d row %d has %d colours: %s"
                                % (cx, cy, len(colours), sorted(colours)))
    for p in problems[:40]:
        print(p)
    if len(problems) > 40:
        print("... and %d more" % (len(problems) - 40))
    cells = COLS * ROWS
    print("%s: %dx%d, %d cells checked, %s"
          % (path, w, h, cells, "all good" if not problems else "%d problems" % len(problems)))
    return 1 if problems else 0


if __name__ == "__main__":
    sys.exit(main())
