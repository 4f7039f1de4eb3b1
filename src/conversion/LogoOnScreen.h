#pragma once

#include "conversion/FileKind.h"
#include "conversion/RgbImage.h"

#include <cstdint>
#include <optional>
#include <span>

namespace kalvero {

// The screen pixel of a logo's top left corner.
struct ScreenSpot {
    int x = 0;
    int y = 0;
};

// Finds the logo of an EPA file (kind as ClassifyFile or LogoKind gives it) on
// a screen taken from a PC as its BIOS draws it at power-on: a version-1 logo
// in text mode of 720 x 400 pixels, 9 x 16 a character, its cells from text
// column 60 or 63 and text row 0 or 1, each cell's 8 x 14 glyph at the
// character's top left (the ninth column and the two rows below are the
// font's, not the logo's); an EPA 2.0 image in 640 x 480 graphics, its top
// left within 40 pixels of (480, 16). Pixels are compared as lit or unlit, set
// apart from the background of the logo and of the screen: the PC's palette is
// not ours. Pixels whose colour is too near the background to tell are left
// out. nullopt when the logo is not there, or has no lit pixel to look for.
std::optional<ScreenSpot> FindLogoOnScreen(const RgbImage& screen, const FileKind& kind,
                                           std::span<const std::uint8_t> file);

} // namespace kalvero
