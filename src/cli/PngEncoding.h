#pragma once

#include "conversion/RgbImage.h"

#include <cstdint>
#include <vector>

namespace kalvero::cli {

// A PNG file of the picture: with a palette of 1, 2, 4 or 8 bits a pixel when
// it has at most 256 colours (every preview does), else 8-bit RGB.
std::vector<std::uint8_t> EncodePng(const RgbImage& picture);

} // namespace kalvero::cli
