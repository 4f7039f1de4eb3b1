#pragma once

#include "conversion/import/Dithering.h"
#include "conversion/import/SwatchImage.h"

#include <cstdint>
#include <vector>

namespace kalvero {

// The two-colour bitmap (1742 or 2582 bytes, palette black then white) of a
// 136 x 84 or 136 x 126 picture. Without dithering a pixel is white when its
// GreyValue is threshold or more; dithered, black and white are mixed.
std::vector<std::uint8_t> MonoBitmapFromPicture(const SwatchImage& picture, Dither dither,
                                                int threshold);

// The 16-colour bitmap (5830 or 8686 bytes) of a 136 x 84 or 136 x 126
// picture, in the palette ChooseBitmapPalette picks, so that the EPA 2.0
// image made from it shows the colours the bitmap shows.
std::vector<std::uint8_t> ColourBitmapFromPicture(const SwatchImage& picture, Dither dither);

} // namespace kalvero
