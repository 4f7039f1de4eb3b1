#!/usr/bin/env python3
"""Writes the seed inputs of each fuzz target into fuzz/corpus/TARGET/.

The files are laid out here byte by byte, independently of the code they
exercise. Each target's first input byte picks options (see the target's
source), so the seeds start with one. The seeds of fuzz_award_image, whole
synthetic BIOS images, are made at each run by fuzz/MakeAwardSeeds.cpp.
"""
import os
import shutil
import struct

HERE = os.path.dirname(os.path.abspath(__file__))
CORPUS = os.path.join(HERE, "corpus")


def logo(tall):
    rows = 9 if tall else 6
    cells = 17 * rows
    data = bytearray([17, rows])
    data += bytes((cell % 16) for cell in range(cells))
    for cell in range(cells):
        data += bytes(((cell * 7 + line * 13) & 0xFF) for line in range(14))
    data += bytes(range(70))
    return bytes(data)


def counts(data, columns, rows):
    """The logo with other count bytes, which its length does not fit."""
    return bytes([columns, rows]) + data[2:]


def bmp(colours, height):
    row = 20 if colours == 2 else 68
    palette_entries = 2 if colours == 2 else 16
    offset = 14 + 40 + 4 * palette_entries
    size = offset + row * height
    data = bytearray(b"BM" + struct.pack("<IHHI", size, 0, 0, offset))
    data += struct.pack("<IiiHHIIiiII", 40, 136, height, 1, 4 if colours == 16 else 1, 0,
                        row * height, 2834, 2834, palette_entries, palette_entries)
    for entry in range(palette_entries):
        level = 255 if colours == 2 else entry * 17
        data += bytes([level, 255 - level, level // 2, 0])
    for y in range(height):
        data += bytes(((x * 3 + y * 5) & 0xFF) if x < row - 3 else 0 for x in range(row))
    return bytes(data)


def epa2(width, height, planar):
    data = bytearray(b"AWBM" + struct.pack("<HH", width, height))
    if planar:
        data += bytes(((i * 37) & 0xFF) for i in range(height * 4 * ((width + 7) // 8)))
        data += b"RGB " + bytes((i * 5) % 64 for i in range(48))
    else:
        data += bytes((i * 11) & 0xFF for i in range(width * height))
        data += b"RGB " + bytes(i % 64 for i in range(768))
    return bytes(data)


def bits(text):
    """Packs a written-out bit string, first bit highest, zero-filled."""
    text = text.replace(" ", "")
    text += "0" * (-len(text) % 8)
    return bytes(int(text[i:i + 8], 2) for i in range(0, len(text), 8))


def lh5(size, text):
    """Size to decode to (2 bytes, little-endian), then packed "-lh5-" bits."""
    return struct.pack("<H", size) + bits(text)


# Blocks of "-lh5-" data: the code count, the length table, the character
# table, the position table, then the codes.
LH5_SEEDS = {
    # "AAAA": each table one symbol, coded in no bits.
    "one-symbol.lh5": lh5(4, "0000000000000100 00000 00000 000000000 001000001 0000 0000"),
    # "aaaaa": 'a' and a match of 4 at distance 1.
    "distance-one.lh5": lh5(5, "0000000000000010 00100 000 000 001 00 001"
                               "100000010 0 001001101 1 0 010001011 1 0000 0000 0 1"),
    # "acgga": literals with one and three zero lengths between them.
    "literals.lh5": lh5(5, "0000000000000101 00101 011 011 011 00 011 001"
                           "001101000 110 001001101 111 100 0 101 0000 0 0000 0000"
                           "0 10 11 11 0"),
    # 'y', 64 'x', then 3 bytes from distance 65.
    "far-match.lh5": lh5(68, "0000000001000010 00101 000 000 001 00 010 010"
                             "100000001 0 001100100 10 11 0 001110010 11"
                             "1000 001 010 011 100 101 110 1110 1110 10" + "0" * 64 +
                             "11 1111111 000000"),
    "text.bin": b"\x00\x00" + b"the boot logo shows at power-on, the boot logo " * 8,
}

SETTINGS = (
    "; Kalvero settings, in the layout of a registry export\r\n\r\n"
    "[HKEY_CURRENT_USER\\Software\\Kalvero]\r\n"
    '"sichern"="1"\r\n"sprache"=" 01 "\r\n"meldung"="0"\r\n"negativ"="1.00"\r\n\r\n'
    "[HKEY_CLASSES_ROOT\\.epa]\r\n@=\"EPA.Logo\"\r\n"
    "[hkey_classes_root\\EPA.Logo\\shell\\open\\command]\r\n"
    '@="\\"/usr/bin/kalvero\\" \\"%1\\""\r\n"text"="line\\nbreak \\0 end"\r\n'
    "[HKEY_LOCAL_MACHINE\\Other]\r\n\"x\"=dword:00000001\r\n"
)

COMMAND_LINES = [
    '"/home/ute/Müller Logo.epa"',
    "   /pics/logo.epa   ",
    '""',
    "-dash.epa",
    'a "quoted" name.epa',
    "C:\\BIOS\\boot.epa",
    "/my.pics/logo",
]

def qt_picture(reduction, orientation, choices, width, height, format_byte, table, space, pixels):
    """A picture for fuzz_import_pipeline: its leading bytes pick the reduction,
    orientation, import settings and target (top two bits: mono, 16 colours,
    EPA), size, Qt pixel format (1 + byte % 35),
    colour table and colour space; the rest fills the pixels."""
    return bytes([reduction, orientation, choices, width, height, format_byte]) + table + space + pixels


GRADIENT = bytes((i * 7) & 0xFF for i in range(3000))

SEEDS = {
    "fuzz_epa_logo": {
        "tall.epa": b"\x01" + logo(True),
        "short.epa": b"\x00" + logo(False),
        "tall-exact.epa": logo(True),
        "short-exact.epa": logo(False),
        "short-counts-255x255.epa": b"\x02" + counts(logo(False), 255, 255),
        "short-counts-17x9.epa": b"\x02" + counts(logo(False), 17, 9),
        "short-counts-0x0.epa": counts(logo(False), 0, 0),
        "tall-counts-17x6.epa": counts(logo(True), 17, 6),
    },
    "fuzz_bmp_conversion": {
        "mono84.bmp": b"\x00" + bmp(2, 84),
        "mono126-negative.bmp": b"\x05" + bmp(2, 126),
        "colour84.bmp": b"\x02" + bmp(16, 84),
        "colour126.bmp": b"\x03" + bmp(16, 126),
    },
    "fuzz_epa2_preview": {
        "epa2-136x84.epa": b"\x00" + epa2(136, 84, True),
        "epa2-tall-scaled.epa": b"\x01" + epa2(136, 126, True),
        "epa2-256-colours.epa": b"\x04" + epa2(40, 12, False),
        "epa2-odd-width.epa": b"\x00" + epa2(13, 3, True),
        "logo-grid.epa": b"\x02" + logo(True),
        "mono84.bmp": b"\x00" + bmp(2, 84),
        "colour126.bmp": b"\x00" + bmp(16, 126),
    },
    "fuzz_settings_text": {
        "settings.reg": SETTINGS.encode("utf-8"),
    },
    "fuzz_import_pipeline": {
        "rgb32-srgb.bin": qt_picture(0, 0, 0x00, 20, 10, 3, b"", b"\x01", GRADIENT),
        "argb32-adobe-turned-halved.bin": qt_picture(1, 6, 0x65, 30, 17, 4, b"", b"\x03", GRADIENT),
        "indexed8-p3-flipped.bin": qt_picture(2, 3, 0x8A, 9, 40, 2, GRADIENT[:1024], b"\x04",
                                              GRADIENT[7:]),
        "rgba64-own-primaries.bin": qt_picture(0, 5, 0x54, 25, 25, 25, b"",
                                               bytes([6, 94, 99, 192, 99, 90, 180, 45, 18, 90]),
                                               GRADIENT),
        "mono-linear-mirrored.bin": qt_picture(3, 1, 0x02, 47, 3, 0, b"\0\0\0\xff\xff\xff\xff\xff",
                                               b"\x02", GRADIENT),
    },
    "fuzz_lh5": LH5_SEEDS,
    "fuzz_command_line": {
        "line%d.txt" % i: text.encode("utf-8") for i, text in enumerate(COMMAND_LINES)
    },
}


def main():
    for target, files in SEEDS.items():
        folder = os.path.join(CORPUS, target)
        shutil.rmtree(folder, ignore_errors=True)
        os.makedirs(folder)
        for name, content in files.items():
            with open(os.path.join(folder, name), "wb") as out:
                out.write(content)


if __name__ == "__main__":
    main()
