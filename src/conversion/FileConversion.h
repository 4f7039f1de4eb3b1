#pragma once

#include "base/FileResult.h"

#include <cstdint>
#include <span>
#include <vector>

namespace kalvero {

// Whole-file conversions, byte image in, byte image out, for kalvero-cli,
// fuzzers and benchmarks.

// What Load BMP, Create EPA and Save EPA make of a bitmap file together: a
// two-colour bitmap (1742 or 2582 bytes) becomes an EPA version-1 logo (1602
// or 2367 bytes), its bits complemented when negative; a 16-colour bitmap (5830
// or 8686 bytes) becomes an EPA 2.0 image (5772 or 8628 bytes), where negative
// has no effect. The length decides; any other is refused.
FileResult<std::vector<std::uint8_t>> EpaFileFromBmp(std::span<const std::uint8_t> bmpFile,
                                                     bool negative);

// The bitmap of an EPA file: a version-1 logo gives its two-colour bitmap (1742
// or 2582 bytes); an EPA 2.0 image of 136 x 84 or 136 x 126 in 16 colours gives
// the 16-colour bitmap (5830 or 8686 bytes) that EpaFileFromBmp turns back into
// the same bytes. Anything else is refused with the reason.
FileResult<std::vector<std::uint8_t>> BmpFileFromEpa(std::span<const std::uint8_t> epaFile);

} // namespace kalvero
