#pragma once

#include <QBuffer>
#include <QImage>
#include <QImageWriter>
#include <cstdint>
#include <string>
#include <vector>

namespace kalvero::test {

using Bytes = std::vector<std::uint8_t>;

inline Bytes ToBytes(const QByteArray& data) {
    return Bytes(data.begin(), data.end());
}

inline Bytes ToBytes(const std::string& text) {
    return Bytes(text.begin(), text.end());
}

// The file Qt writes of image in format ("png", "jpeg", "tiff", ...).
inline Bytes Encoded(const QImage& image, const char* format, int quality = 100) {
    QByteArray data;
    QBuffer buffer(&data);
    buffer.open(QIODevice::WriteOnly);
    QImageWriter writer(&buffer, format);
    writer.setQuality(quality);
    if (!writer.write(image)) {
        return {};
    }
    return ToBytes(data);
}

// A picture in two halves side by side.
inline QImage Halves(int width, int height, QRgb left, QRgb right) {
    QImage image(width, height, QImage::Format_ARGB32);
    for (int y = 0; y < height; ++y) {
        for (int x = 0; x < width; ++x) {
            image.setPixel(x, y, x < width / 2 ? left : right);
        }
    }
    return image;
}

// A JPEG with an Exif segment whose only entry is the orientation (1 to 8),
// put right after the start of image.
inline Bytes WithExifOrientation(Bytes jpeg, std::uint8_t orientation) {
    const Bytes exif{0xFF,        0xE1, 0,   34,              // APP1, 34 bytes with the length
                     'E',         'x',  'i', 'f', 0, 0,       //
                     'I',         'I',  42,  0,   8, 0, 0, 0, // little-endian TIFF, first IFD at 8
                     1,           0,                          // one entry:
                     0x12,        0x01, 3,   0,   1, 0, 0, 0, // orientation, SHORT, 1 value
                     orientation, 0,    0,   0,               //
                     0,           0,    0,   0};              // no next IFD
    jpeg.insert(jpeg.begin() + 2, exif.begin(), exif.end());
    return jpeg;
}

// A GIF of two 1 x 1 frames: red, then blue.
inline Bytes TwoFrameGif() {
    Bytes gif{'G', 'I', 'F', '8', '9', 'a', 1, 0, 1, 0, 0x80, 0, 0, // screen 1 x 1, 2 colours
              255, 0,   0,   0,   0,   255};                        // red, blue
    const auto frame = [&](std::uint8_t index) {
        // Graphic control (100 ms), image at 0,0 of 1 x 1, LZW: clear, index, end.
        const Bytes part{0x21, 0xF9, 4, 0, 10, 0, 0,
                         0,    0x2C, 0, 0, 0,  0, 1,
                         0,    1,    0, 0, 2,  2, static_cast<std::uint8_t>(0x44 | index << 3),
                         1,    0};
        gif.insert(gif.end(), part.begin(), part.end());
    };
    frame(0);
    frame(1);
    gif.push_back(0x3B);
    return gif;
}

} // namespace kalvero::test
