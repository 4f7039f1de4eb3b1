#pragma once

#include "conversion/Epa2TestFile.h"

#include <QImage>
#include <array>
#include <cstdint>
#include <filesystem>
#include <string>
#include <vector>

namespace kalvero::test {

// Input files laid out byte by byte the way the four accepted bitmaps and the
// EPA formats store them, independently of the code under test.

// A 136-pixel-wide bitmap of 2 or 16 colours; pixel (x, y) counts from the top left.
class TestBitmap {
public:
    TestBitmap(int colours, int height);

    void setPixel(int x, int y, int index);
    void setEntry(int index, std::uint8_t red, std::uint8_t green, std::uint8_t blue);
    const std::vector<std::uint8_t>& bytes() const { return bytes_; }
    void save(const std::filesystem::path& path) const;

private:
    int colours_;
    int height_;
    std::vector<std::uint8_t> bytes_;
};

// An EPA version-1 logo of 84 or 126 rows: attributes 15, glyphs empty.
class TestLogo {
public:
    explicit TestLogo(bool tall);

    std::uint8_t& attribute(int cell) { return bytes_[static_cast<std::size_t>(2 + cell)]; }
    std::uint8_t& glyph(int cell, int line);
    const std::vector<std::uint8_t>& bytes() const { return bytes_; }
    void save(const std::filesystem::path& path) const;

private:
    int glyphOffset_;
    std::vector<std::uint8_t> bytes_;
};

// Reads a PNG the tool wrote; fails the test when it cannot.
QImage LoadPng(const std::filesystem::path& path);

std::array<int, 3> RgbAt(const QImage& image, int x, int y);

} // namespace kalvero::test
