#pragma once

#include "document/LogoGeometry.h"

#include <array>
#include <cstdint>

namespace kalvero {

// Columns 17, rows 9, then attribute 15 (white) for each of the 153 cells of a
// tall logo; a short logo takes the first 104 entries.
extern const std::array<std::uint8_t, EpaHeaderTemplateLength> EpaHeaderTemplate;

// The fixed 70 bytes behind the glyphs: five 14-line glyph patterns that the
// firmware expects but never shows.
extern const std::array<std::uint8_t, EpaTrailerLength> EpaTrailer;

} // namespace kalvero
