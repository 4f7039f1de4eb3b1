#pragma once

#include "document/Palette.h"

#include <cstddef>
#include <vector>

namespace kalvero {

// Tightly packed red, green, blue pixels, top row first.
struct RgbImage {
    int width = 0;
    int height = 0;
    std::vector<Rgb> pixels;

    Rgb at(int x, int y) const { return pixels[static_cast<std::size_t>(y * width + x)]; }
};
static_assert(sizeof(Rgb) == 3, "RgbImage rows are handed on as packed bytes");

} // namespace kalvero
