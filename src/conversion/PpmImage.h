#pragma once

#include "base/FileResult.h"
#include "conversion/RgbImage.h"

#include <cstdint>
#include <span>

namespace kalvero {

// A binary PPM picture (P6, 8 bits a channel, no comments), as QEMU's
// screendump writes the screen; anything else, or a file cut short, is
// refused with the reason.
FileResult<RgbImage> ReadPpm(std::span<const std::uint8_t> bytes);

} // namespace kalvero
