#pragma once

#include "document/LogoDocument.h"

#include <cstdint>
#include <vector>

namespace kalvero {

// The logo as a two-colour bitmap (1742 or 2582 bytes): its glyph bits
// unchanged, a set bit white and a clear bit black, whatever the cell colours.
std::vector<std::uint8_t> MonoBmpFromLogo(const LogoDocument& document);

} // namespace kalvero
