#pragma once

#include "base/FileResult.h"

#include <cstdint>
#include <span>
#include <vector>

namespace kalvero {

bool IsGzip(std::span<const std::uint8_t> file);

// The unpacked bytes of gzip data (an .svgz drawing), refused as TooLarge as
// soon as they would pass maxLength: a few kilobytes can unpack to gigabytes.
FileResult<std::vector<std::uint8_t>> InflateGzip(std::span<const std::uint8_t> file,
                                                  std::size_t maxLength);

} // namespace kalvero
