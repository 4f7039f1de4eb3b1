#pragma once

#include "document/LogoDocument.h"

#include <cstdint>
#include <span>

namespace kalvero {

// Turns a two-colour bitmap file (1742 or 2582 bytes, as loaded) into the logo
// in EpaData, in the height TallLogo gives: all cells colour 15, the bitmap's
// bits as glyph bits, complemented when negative. The bitmap's palette is
// never read; bytes missing from a short buffer count as 0.
void ConvertMonoBmp(LogoDocument& document, std::span<const std::uint8_t> bmpData, bool negative);

} // namespace kalvero
