#pragma once

#include "conversion/import/Dithering.h"
#include "conversion/import/SwatchImage.h"
#include "document/Palette.h"

#include <array>
#include <cstdint>
#include <vector>

namespace kalvero {

// The palette entries that the EPA 2.0 conversion fixes: it keeps each byte
// in 6 bits, makes entry 7 grey (32 of 63) and entry 15 white, and turns an
// entry 8 that is black in 6 bits into bright blue.
inline constexpr int Epa2GreyEntry = 7;
inline constexpr int Epa2BlueIfBlackEntry = 8;
inline constexpr int Epa2WhiteEntry = 15;

// What the EPA 2.0 image shows for a palette byte: its top 6 bits, widened to
// 8 bits again.
std::uint8_t SixBitShade(std::uint8_t value);

// A 16-colour bitmap palette for the picture, in colours that the EPA 2.0
// image made from the bitmap shows unchanged: grey (130) in entry 7, white in
// entry 15, and thirteen colours picked for the picture, fourteen with
// allColours (median cut, then k-means in Lab with grey and white held fixed,
// each rounded to 6 bits) in the other entries but entry 6, darkest first, the
// lightest in entry 8 so that entry 8 is black only when the picture has no
// other colour. Entries the picture does not need are black.
std::array<Rgb, PaletteSize> ChooseBitmapPalette(const SwatchImage& picture, bool allColours);

// The palette of a full-screen EPA 2.0 image, written as it is: fifteen colours
// picked for the picture as above, sixteen with allColours, none held fixed,
// darkest first in the entries but entry 6, so that entry 0 (the screen's
// black) is the darkest and entry 15 (the BIOS's white text) the lightest.
std::array<Rgb, PaletteSize> ChooseFullScreenPalette(const SwatchImage& picture, bool allColours);

// Up to count colours that show the picture best (median cut, then k-means
// in Lab), rounded to 6-bit shades, darkest first.
std::vector<Rgb> PictureColours(const SwatchImage& picture, std::size_t count);

// For every pixel (top row first) the palette entry it takes, dithered as
// asked, among all entries but entry 6, or all sixteen with allColours.
std::vector<std::uint8_t> PaletteIndices(const SwatchImage& picture, Dither dither,
                                         const std::array<Rgb, PaletteSize>& palette,
                                         bool allColours);

} // namespace kalvero
