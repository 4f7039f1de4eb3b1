#pragma once

#include "conversion/import/ColourSpace.h"

#include <cstddef>
#include <vector>

namespace kalvero {

// A picture ready for colour decisions: every pixel in linear light and in Lab,
// top row first.
struct SwatchImage {
    int width = 0;
    int height = 0;
    std::vector<Swatch> pixels;

    const Swatch& at(int x, int y) const {
        return pixels[static_cast<std::size_t>(y) * static_cast<std::size_t>(width) +
                      static_cast<std::size_t>(x)];
    }
};

} // namespace kalvero
