#pragma once

#include "conversion/import/Dithering.h"
#include "conversion/import/SwatchImage.h"

#include <cstdint>
#include <vector>

namespace kalvero {

// A coloured EPA version-1 logo of a 136 x 84 or 136 x 126 picture: each cell
// gets the foreground colour BestForeground picks for it, and each pixel a set
// glyph bit where that colour, dithered as asked, serves better than black.
// The file's 1602 or 2367 bytes.
std::vector<std::uint8_t> EpaLogoFromPicture(const SwatchImage& picture, Dither dither);

} // namespace kalvero
