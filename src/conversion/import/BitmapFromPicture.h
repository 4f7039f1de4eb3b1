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
// image made from it shows the colours the bitmap shows; entry 6 only with
// allColours.
std::vector<std::uint8_t> ColourBitmapFromPicture(const SwatchImage& picture, Dither dither,
                                                  bool allColours);

// The 16-colour EPA 2.0 image of a picture of any size, in the palette
// ChooseFullScreenPalette picks: the full-screen logo of 640 x 480 (or 464 or
// 479) pixels, 153660 bytes for 480 rows; entry 6 only with allColours.
// Without ownPalette the image has no palette block and its pixels take the
// standard VGA colours (148488 bytes for 464 rows).
std::vector<std::uint8_t> FullScreenLogoFromPicture(const SwatchImage& picture, Dither dither,
                                                    bool allColours, bool ownPalette = true);

} // namespace kalvero
