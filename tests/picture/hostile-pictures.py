#!/usr/bin/env python3
"""Writes damaged and hostile pictures into a folder, for measure-peaks.sh and
the picture tests (PictureDecodingTest.cpp, which makes them with --quick).

Each file is laid out here byte by byte: pictures that claim a huge size,
that decode to the most a picture may take, that carry tens of megabytes of
metadata, drawings that Qt would keep in memory many times over, and files
cut short or damaged that Qt's readers would take without a word.
Usage: hostile-pictures.py [--quick] FOLDER   (--quick: only those made in
an instant, the refused ones and the damaged ones)
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


def png(width, height, depth=8, extra=b"", rows=True, pixels=b""):
    """An RGBA PNG of flat grey, or of the pixels (RGBA) repeated along each
    row; rows=False gives one row of data only."""
    channels = 4
    line = b"\0" + (pixels * (width // max(len(pixels) // 4, 1)) or b"\x80" * (width * channels * depth // 8))
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


def striped_gif(width, height):
    """A GIF of one frame in four colours, diagonal stripes. The LZW codes are
    kept 3 bits wide by a clear code before every second pixel."""
    bits = []
    for index in range(width * height):
        codes = ([4] if index % 2 == 0 else []) + [(index % width + index // width) % 4]
        bits += [(code >> bit) & 1 for code in codes for bit in range(3)]
    bits += [1, 0, 1] + [0] * 7  # end of information, then padding
    data = bytes(sum(bits[at + bit] << bit for bit in range(8)) for at in range(0, len(bits) - 7, 8))
    blocks = b"".join(bytes([len(data[at:at + 255])]) + data[at:at + 255]
                      for at in range(0, len(data), 255))
    return (b"GIF89a" + struct.pack("<HHBBB", width, height, 0x81, 0, 0)
            + b"\xff\0\0\0\xff\0\0\0\xff\xff\xff\xff"
            + b"\x2c" + struct.pack("<HHHHB", 0, 0, width, height, 0) + b"\x02" + blocks + b"\0\x3b")


def bmp(width, height, bits, compression=0, pixels=b"", length=None):
    """A bitmap with a 40-byte header and a grey palette where bits <= 8;
    length (when given) also goes into the file header, as a writer that
    trusts its own numbers would put it."""
    palette = b"".join(bytes([i, i, i, 0]) for i in range(1 << bits)) if bits <= 8 else b""
    at = 14 + 40 + len(palette)
    header = struct.pack("<IiiHHIIiiII", 40, width, height, 1, bits, compression, len(pixels),
                         0, 0, 0, 0)
    return b"BM" + struct.pack("<IHHI", length or at + len(pixels), 0, 0, at) + header + palette + pixels


def rle8_rows(width, height):
    """RLE8 rows of runs of 8 pixels, each ended by its end-of-line code, and
    the end-of-bitmap code."""
    row = b"".join(bytes([8, (x // 8) * 16]) for x in range(0, width, 8)) + b"\0\0"
    return row * height + b"\0\1"


def xbm(width, height):
    values = ", ".join("0x%02x" % (i * 37 % 256) for i in range((width + 7) // 8 * height))
    return ("#define cut_width %d\n#define cut_height %d\nstatic char cut_bits[] = {\n%s };\n"
            % (width, height, values)).encode()


def tga(width, height, rows):
    """An uncompressed TGA 2.0 file (with an image ID, which Qt needs to tell
    it from an icon) whose pixels stop after the rows given."""
    header = struct.pack("<BBBHHBHHHHBB", 1, 0, 2, 0, 0, 0, 0, 0, width, height, 24, 0) + b"k"
    return (header + b"\x40\x80\xc0" * (width * rows)
            + struct.pack("<II", 0, 0) + b"TRUEVISION-XFILE.\0")


def cut(data, length):
    return data[:length]


def with_wrong_crc(data):
    """The first IDAT chunk's check value changed."""
    at = data.index(b"IDAT") + 4 + struct.unpack(">I", data[data.index(b"IDAT") - 4:][:4])[0]
    return data[:at] + bytes([data[at] ^ 0x55]) + data[at + 1:]


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


def two_frame_gif():
    """A GIF of two 1 x 1 frames, 100 ms each: red, then blue."""
    frame = (lambda index: b"\x21\xf9\x04\0\x0a\0\0\0" + b"\x2c" + struct.pack("<HHHHB", 0, 0, 1, 1, 0)
             + bytes([2, 2, 0x44 | index << 3, 1, 0]))
    return (b"GIF89a" + struct.pack("<HHBBB", 1, 1, 0x80, 0, 0) + b"\xff\0\0\0\0\xff"
            + frame(0) + frame(1) + b"\x3b")


def quick_files():
    striped = striped_gif(64, 64)
    photo = png(64, 64)
    baseline = jpeg(256, 256)
    return {
        "ppm-2x3.ppm": b"P6\n2 3\n255\n\xff\0\0" + b"\0" * 12 + b"\0\0\xff",
        "gif-two-frames.gif": two_frame_gif(),
        "svg-halves.svg": SVG.format('width="30" height="10"', '<rect width="15" height="10" fill="red"/>'
                                     '<rect x="15" width="15" height="10" fill="blue"/>').encode(),
        "svg-text.svg": SVG.format('width="200" height="100"', '<text x="10" y="80" font-size="80" '
                                   'fill="white">HH</text>').encode(),
        "png-half-transparent.png": png(2, 1, pixels=b"\xff\0\0\x80\xff\xff\xff\0"),
        "png-stripes-2200x2100.png": png(2200, 2100, pixels=b"\xff\xff\xff\xff\0\0\0\xff"),
        "png-claims-16000x16000.png": png(16000, 16000, rows=False),
        "png-claims-4000x8400.png": png(4000, 8400, rows=False),
        "jpeg-progressive-20000x20000.jpg": jpeg(20000, 20000, progressive=True),
        "svg-25000-elements.svg": SVG.format('width="9" height="9"', "<g/>" * 24999).encode(),
        "svg-25001-elements.svg": SVG.format('width="9" height="9"', "<g/>" * 25000).encode(),
        "svg-4MiB-and-a-byte.svg": SVG.format("", " " * (4 * MIB + 1 - len(SVG) + 4)).encode(),
        "svgz-unpacks-to-5MiB.svgz": gzip.compress(b" " * (5 * MIB), 9),
        "svgz-cut-off.svgz": cut(gzip.compress(SVG.format("", "").encode()), 20),
        "svg-takes-another-file.svg": SVG.format('width="9" height="9"',
                                                 '<image href="/etc/logo.png" width="9" height="9"/>').encode(),
        "file-48MiB-and-a-byte.png": b"\0" * (48 * MIB + 1),
        "text.txt": b"hello\n",
        "jpeg-cut-short.jpg": cut(baseline, len(baseline) * 9 // 10),
        "png-cut-in-half.png": cut(photo, len(photo) // 2),
        "png-wrong-crc.png": with_wrong_crc(photo),
        "gif-whole.gif": striped,
        "gif-cut-to-half.gif": cut(striped, len(striped) // 2),
        "bmp-1742-bytes-claiming-32-bits.bmp": cut(bmp(136, 84, 32, pixels=bytes(range(256)) * 7,
                                                       length=1742), 1742),
        "bmp-rle8-whole.bmp": bmp(64, 64, 8, 1, rle8_rows(64, 64)),
        "bmp-rle8-cut.bmp": cut(bmp(64, 64, 8, 1, rle8_rows(64, 64)), 1500),
        "xbm-cut.xbm": cut(xbm(16, 8), 100),
        "tga-half-its-rows.tga": tga(64, 64, 32),
    }


def bulky_files():
    return {
        "png-8k-at-the-limit.png": png(7680, 4320),
        "png-16bit-at-the-limit.png": png(4000, 4000, depth=16),
        "png-8k-and-47MiB-text.png": png(7680, 4320, extra=chunk(b"tEXt", b"Comment\0" + b"a" * BULK)),
        "gif-screen-65535x65535.gif": gif(65535, 65535),
        "gif-screen-5700x5700.gif": gif(5700, 5700),
        "jpeg-20000x20000.jpg": jpeg(20000, 20000),
        "jpeg-65500x65500.jpg": jpeg(65500, 65500),
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


def main():
    quick = sys.argv[1] == "--quick"
    folder = sys.argv[-1]
    os.makedirs(folder, exist_ok=True)
    files = quick_files() if quick else {**quick_files(), **bulky_files()}
    for name, content in files.items():
        with open(os.path.join(folder, name), "wb") as out:
            out.write(content)


if __name__ == "__main__":
    main()
