#pragma once

#include "document/LogoDocument.h"

#include <cstdint>
#include <optional>
#include <span>

namespace kalvero {

// The logo held in an EPA version-1 file image, as ReadEpa would open it from
// a file: TallLogo from the length, EpaData the bytes. Nothing for any length
// other than 1602 or 2367, or counts that do not fit it.
std::optional<LogoDocument> LogoFromEpa(std::span<const std::uint8_t> epaFile);

} // namespace kalvero
