#!/usr/bin/env python3
"""Writes damaged and hostile pictures into a folder, for measure-peaks.sh.

Each file is laid out here byte by byte: pictures that claim a huge size,
that decode to the most a picture may take, that carry tens of megabytes of
metadata, and drawings that Qt would keep in memory many times over.
Usage: hostile-pictures.py FOLDER
"""
import gzip
import os
import struct
import sys
import zlib

MIB = 1024 * 1024
# Just under the longest picture file that is read (PictureLimits.h).
BULK = 47 * MIB


def chunk(kind, data):
    return struct.pack(">I", len(data)) + kind + data + struct.pack(">I", zlib.crc32(kind + data))


def png(width, height, depth=8, extra=b"", rows=True):
    """An RGBA PNG of flat grey; rows=False gives one row of data only."""
    channels = 4
    line = b"\0" + b"\x80" * (width * channels * depth // 8)
    packer = zlib.compressobj(9)
    data = b"".join(packer.compress(line) for _ in range(height if rows else 1)) + packer.flush()
    header = struct.pack(">IIBBBBB", width, height, depth, 6, 0, 0, 0)
    return (b"\x89PNG\r\n\x1a\n" + chunk(b"IHDR", header) + extra + chunk(b"IDAT", data)
            + chunk(b"IEND", b""))


def gif(screen_width, screen_height):
    """A GIF whose screen is huge and whose one frame is a single pixel."""
    return (b"GIF89a" + struct.pack("<HHBBB", screen_width, screen_height, 0x80, 0, 0)
            + b"\0\0\0\xff\xff\xff" + b"\x2c" + struct.pack("<HHHHB", 0, 0, 1, 1, 0)
            + b"\x02\x02\x44\x01\x00\x3b")


def jpeg(width, height, progressive=False, extra=b""):
    """A grey baseline JPEG: every 8 x 8 block is DC 0 and end of block, two
    bits a block with one-code Huffman tables. progressive only marks the
    frame so; libjpeg then takes the memory of all coefficients first."""
    blocks = ((width + 7) // 8) * ((height + 7) // 8)
    scan = b"\0" * (blocks * 2 // 8) + b"\x3f"
    frame = struct.pack(">BHHB", 8, height, width, 1) + b"\x01\x11\x00"
    one_code = bytes([1] + [0] * 15)
    return (b"\xff\xd8" + extra
            + b"\xff\xdb" + struct.pack(">H", 67) + b"\0" + b"\x01" * 64
            + (b"\xff\xc2" if progressive else b"\xff\xc0") + struct.pack(">H", 2 + len(frame)) + frame
            + b"\xff\xc4" + struct.pack(">H", 2 + 17 + 1) + b"\x00" + one_code + b"\x00"
            + b"\xff\xc4" + struct.pack(">H", 2 + 17 + 1) + b"\x10" + one_code + b"\x00"
            + b"\xff\xda" + struct.pack(">HB", 8, 1) + b"\x01\x00" + b"\x00\x3f\x00"
            + scan + b"\xff\xd9")


def jpeg_segments(marker, head, total):
    body = 65533 - len(head)
    segment = b"\xff" + bytes([marker]) + struct.pack(">H", 65535) + head + b"a" * body
    return segment * (total // len(segment))


def tiff(width, height, description=b""):
    """An uncompressed RGB TIFF of one strip that claims the size; the strip
    holds 16 bytes."""
    described = description + b"\0"
    entries = [(256, 4, 1, width), (257, 4, 1, height), (258, 3, 1, 8), (259, 3, 1, 1),
               (262, 3, 1, 2), (270, 2, len(described), None), (273, 4, 1, None),
               (277, 3, 1, 3), (278, 4, 1, height), (279, 4, 1, 16)]
    directory_length = 2 + 12 * len(entries) + 4
    text_at = 8 + directory_length
    strip_at = text_at + len(described)
    out = b"II*\0" + struct.pack("<IH", 8, len(entries))
    for tag, kind, count, value in entries:
        value = {270: text_at, 273: strip_at}.get(tag, value)
        out += struct.pack("<HHII" if kind == 4 or tag == 270 else "<HHIHH", tag, kind, count,
                           *([value] if kind == 4 or tag == 270 else [value, 0]))
    return out + b"\0\0\0\0" + described + b"\x80" * 16


def webp(width, height):
    """A lossless WebP header that claims the size."""
    vp8l = b"\x2f" + struct.pack("<I", (width - 1) | ((height - 1) << 14)) + b"\0" * 16
    riff = b"WEBP" + b"VP8L" + struct.pack("<I", len(vp8l)) + vp8l
    return b"RIFF" + struct.pack("<I", len(riff)) + riff


SVG = '<svg xmlns="http://www.w3.org/2000/svg" {}>{}</svg>'


def main():
    folder = sys.argv[1]
    os.makedirs(folder, exist_ok=True)
    files = {
        "png-claims-16000x16000.png": png(16000, 16000, rows=False),
        "png-8k-at-the-limit.png": png(7680, 4320),
        "png-16bit-at-the-limit.png": png(4000, 4000, depth=16),
        "png-8k-and-47MiB-text.png": png(7680, 4320, extra=chunk(b"tEXt", b"Comment\0" + b"a" * BULK)),
        "gif-screen-65535x65535.gif": gif(65535, 65535),
        "gif-screen-5700x5700.gif": gif(5700, 5700),
        "jpeg-20000x20000.jpg": jpeg(20000, 20000),
        "jpeg-65500x65500.jpg": jpeg(65500, 65500),
        "jpeg-progressive-20000x20000.jpg": jpeg(20000, 20000, progressive=True),
        "jpeg-47MiB-comments.jpg": jpeg(2000, 2000, extra=jpeg_segments(0xFE, b"", BULK)),
        "jpeg-47MiB-colour-profile.jpg": jpeg(20000, 20000, extra=jpeg_segments(
            0xE2, b"ICC_PROFILE\0\x01\x01", BULK - 2 * MIB)),
        "tiff-claims-20000x20000.tif": tiff(20000, 20000),
        "tiff-47MiB-description.tif": tiff(100, 100, b"a" * BULK),
        "webp-claims-16383x16383.webp": webp(16383, 16383),
        "svg-viewbox-1e9.svg": SVG.format('viewBox="0 0 1e9 1e9"',
                                          '<circle cx="5e8" cy="5e8" r="4e8" fill="red"/>').encode(),
        "svg-25000-paths.svg": SVG.format('width="100" height="100"',
                                          '<path d="M0 0L1 1"/>' * 24990).encode(),
        "svg-4MiB-polygon.svg": SVG.format('width="100" height="100"', '<polygon points="'
                                           + "1 1 " * (4 * MIB // 4 - 40) + '"/>').encode(),
        "svgz-unpacks-to-4GiB.svgz": gzip.compress(
            SVG.format('width="1" height="1"', "<desc>" + "a" * (64 * MIB) + "</desc>").encode()
            * 64, 9),
    }
    for name, content in files.items():
        with open(os.path.join(folder, name), "wb") as out:
            out.write(content)


if __name__ == "__main__":
    main()
