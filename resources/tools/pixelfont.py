"""Kalvero's own pixel fonts and helpers that turn text into SVG path data.

Two fonts are defined here, both drawn by hand for this project:

* FONT5X7 - a classic 5 x 7 dot font (capitals, digits, a few signs),
  used for titles, sub-titles and the sample boot logo.
* FONT_SMALL - a chunky 5-row font with 3-column letters, scaled by 2 for
  the letters of the program icon.

Every lit dot becomes part of a rectangle; horizontal runs of dots are
merged and identical runs in consecutive rows are merged again, so the
resulting path stays short.  Nothing here depends on installed fonts.
"""

FONT5X7 = {
    "A": ["01110", "10001", "10001", "11111", "10001", "10001", "10001"],
    "B": ["11110", "10001", "10001", "11110", "10001", "10001", "11110"],
    "C": ["01110", "10001", "10000", "10000", "10000", "10001", "01110"],
    "D": ["11110", "10001", "10001", "10001", "10001", "10001", "11110"],
    "E": ["11111", "10000", "10000", "11110", "10000", "10000", "11111"],
    "F": ["11111", "10000", "10000", "11110", "10000", "10000", "10000"],
    "G": ["01110", "10001", "10000", "10111", "10001", "10001", "01111"],
    "H": ["10001", "10001", "10001", "11111", "10001", "10001", "10001"],
    "I": ["01110", "00100", "00100", "00100", "00100", "00100", "01110"],
    "J": ["00111", "00010", "00010", "00010", "00010", "10010", "01100"],
    "K": ["10001", "10010", "10100", "11000", "10100", "10010", "10001"],
    "L": ["10000", "10000", "10000", "10000", "10000", "10000", "11111"],
    "M": ["10001", "11011", "10101", "10101", "10001", "10001", "10001"],
    "N": ["10001", "10001", "11001", "10101", "10011", "10001", "10001"],
    "O": ["01110", "10001", "10001", "10001", "10001", "10001", "01110"],
    "P": ["11110", "10001", "10001", "11110", "10000", "10000", "10000"],
    "Q": ["01110", "10001", "10001", "10001", "10101", "10010", "01101"],
    "R": ["11110", "10001", "10001", "11110", "10100", "10010", "10001"],
    "S": ["01111", "10000", "10000", "01110", "00001", "00001", "11110"],
    "T": ["11111", "00100", "00100", "00100", "00100", "00100", "00100"],
    "U": ["10001", "10001", "10001", "10001", "10001", "10001", "01110"],
    "V": ["10001", "10001", "10001", "10001", "10001", "01010", "00100"],
    "W": ["10001", "10001", "10001", "10101", "10101", "10101", "01010"],
    "X": ["10001", "10001", "01010", "00100", "01010", "10001", "10001"],
    "Y": ["10001", "10001", "01010", "00100", "00100", "00100", "00100"],
    "Z": ["11111", "00001", "00010", "00100", "01000", "10000", "11111"],
    "0": ["01110", "10001", "10011", "10101", "11001", "10001", "01110"],
    "1": ["00100", "01100", "00100", "00100", "00100", "00100", "01110"],
    "2": ["01110", "10001", "00001", "00010", "00100", "01000", "11111"],
    "3": ["11111", "00010", "00100", "00010", "00001", "10001", "01110"],
    "4": ["00010", "00110", "01010", "10010", "11111", "00010", "00010"],
    "5": ["11111", "10000", "11110", "00001", "00001", "10001", "01110"],
    "6": ["00110", "01000", "10000", "11110", "10001", "10001", "01110"],
    "7": ["11111", "00001", "00010", "00100", "01000", "01000", "01000"],
    "8": ["01110", "10001", "10001", "01110", "10001", "10001", "01110"],
    "9": ["01110", "10001", "10001", "01111", "00001", "00010", "01100"],
    "x": ["00000", "00000", "10001", "01010", "00100", "01010", "10001"],
    ".": ["00000", "00000", "00000", "00000", "00000", "01100", "01100"],
    ":": ["00000", "01100", "01100", "00000", "01100", "01100", "00000"],
    "-": ["00000", "00000", "00000", "11111", "00000", "00000", "00000"],
    "_": ["00000", "00000", "00000", "00000", "00000", "00000", "11111"],
    " ": ["00000"] * 7,
}

FONT_SMALL = {
    "A": ["111", "101", "111", "101", "101"],
    "E": ["111", "100", "110", "100", "111"],
    "P": ["111", "101", "111", "100", "100"],
    " ": ["000"] * 5,
}


def num(v):
    """Shortest clean text for a coordinate."""
    v = round(v, 3)
    if v == int(v):
        return str(int(v))
    return ("%.3f" % v).rstrip("0").rstrip(".")


def glyph_boxes(rows, x0, y0, sx, sy):
    """Rectangles (x, y, w, h) covering the lit dots of one glyph."""
    runs = []  # per row: list of (start, length)
    for r, row in enumerate(rows):
        line = []
        c = 0
        while c < len(row):
            if row[c] == "1":
                s = c
                while c < len(row) and row[c] == "1":
                    c += 1
                line.append((s, c - s))
            else:
                c += 1
        runs.append(line)
    boxes = []
    open_boxes = {}  # (start, length) -> [row_start, row_count]
    for r, line in enumerate(runs + [[]]):
        keep = {}
        for run in line:
            if run in open_boxes:
                b = open_boxes.pop(run)
                b[1] += 1
                keep[run] = b
            else:
                keep[run] = [r, 1]
        for run, (rs, rc) in open_boxes.items():
            boxes.append((x0 + run[0] * sx, y0 + rs * sy, run[1] * sx, rc * sy))
        open_boxes = keep
    return boxes


def text_width(text, font, sx, spacing):
    """Width in pixels of text drawn with text_boxes."""
    if not text:
        return 0
    w = sum(len(font[ch][0]) * sx for ch in text)
    return w + spacing * (len(text) - 1)


def text_boxes(text, font, x, y, sx, sy, spacing):
    """Rectangles for a whole line of text; spacing is in pixels."""
    boxes = []
    for ch in text:
        rows = font[ch]
        boxes += glyph_boxes(rows, x, y, sx, sy)
        x += len(rows[0]) * sx + spacing
    return boxes


def boxes_path(boxes):
    """SVG path data (all clockwise rectangles) for a list of boxes."""
    out = []
    for bx, by, bw, bh in boxes:
        out.append("M%s %sh%sv%sh-%sz" % (num(bx), num(by), num(bw), num(bh), num(bw)))
    return "".join(out)


def text_path(text, font, x, y, sx, sy, spacing):
    return boxes_path(text_boxes(text, font, x, y, sx, sy, spacing))
