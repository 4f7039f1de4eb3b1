#pragma once

#include "conversion/Epa2TestFile.h"
#include "support/TempDir.h"

#include <QColor>
#include <QImage>
#include <QString>
#include <algorithm>
#include <array>
#include <cstdint>
#include <filesystem>
#include <gtest/gtest.h>
#include <vector>

namespace kalvero::test {

// Input files laid out byte by byte the way the four accepted bitmaps and the
// EPA formats store them, independently of the code under test.

// A 136-pixel-wide bitmap of 2 or 16 colours; pixel (x, y) counts from the top left.
class TestBitmap {
public:
    TestBitmap(int colours, int height)
        : colours_(colours), height_(height),
          bytes_(static_cast<std::size_t>(colours == 2 ? 62 + 20 * height : 118 + 68 * height), 0) {
        bytes_[0] = 'B';
        bytes_[1] = 'M';
    }

    void setPixel(int x, int y, int index) {
        const auto bottomUp = static_cast<std::size_t>(height_ - 1 - y);
        if (colours_ == 2) {
            std::uint8_t& byte = bytes_[62 + bottomUp * 20 + static_cast<std::size_t>(x / 8)];
            const auto bit = static_cast<std::uint8_t>(0x80 >> (x % 8));
            byte = static_cast<std::uint8_t>(index != 0 ? byte | bit : byte & ~bit);
            return;
        }
        std::uint8_t& byte = bytes_[118 + bottomUp * 68 + static_cast<std::size_t>(x / 2)];
        byte = x % 2 == 0 ? static_cast<std::uint8_t>((byte & 0x0F) | index << 4)
                          : static_cast<std::uint8_t>((byte & 0xF0) | index);
    }
    void setEntry(int index, std::uint8_t red, std::uint8_t green, std::uint8_t blue) {
        const std::size_t at = 54 + 4 * static_cast<std::size_t>(index);
        bytes_[at] = blue;
        bytes_[at + 1] = green;
        bytes_[at + 2] = red;
    }
    const std::vector<std::uint8_t>& bytes() const { return bytes_; }

private:
    int colours_;
    int height_;
    std::vector<std::uint8_t> bytes_;
};

// An EPA version-1 logo of 84 or 126 rows: attributes 15, glyphs empty.
class TestLogo {
public:
    explicit TestLogo(bool tall) : glyphOffset_(tall ? 155 : 104), bytes_(tall ? 2367 : 1602, 0) {
        bytes_[0] = 17;
        bytes_[1] = tall ? 9 : 6;
        std::fill(bytes_.begin() + 2, bytes_.begin() + glyphOffset_, 15);
    }

    std::uint8_t& attribute(int cell) { return bytes_[static_cast<std::size_t>(2 + cell)]; }
    std::uint8_t& glyph(int cell, int line) {
        return bytes_[static_cast<std::size_t>(glyphOffset_ + 14 * cell + line)];
    }
    const std::vector<std::uint8_t>& bytes() const { return bytes_; }

private:
    int glyphOffset_;
    std::vector<std::uint8_t> bytes_;
};

// Reads a PNG the tool wrote; fails the test when it cannot.
inline QImage LoadPng(const std::filesystem::path& path) {
    QImage image;
    EXPECT_TRUE(image.load(QString::fromStdString(path.string()), "PNG")) << path;
    return image;
}

inline std::array<int, 3> RgbAt(const QImage& image, int x, int y) {
    const QColor colour = image.pixelColor(x, y);
    return {colour.red(), colour.green(), colour.blue()};
}

} // namespace kalvero::test
