#pragma once

#include <cstdint>
#include <span>

namespace kalvero {

// The memory libjpeg takes for all of a JPEG's DCT coefficients before it
// shows a pixel: a progressive JPEG, and one whose first scan lacks a
// component, is held whole at full size (2 bytes a coefficient), whatever size
// it is decoded in. 0 for the usual single-scan JPEG, which libjpeg decodes
// row by row, and for anything that is not a JPEG.
std::uint64_t JpegCoefficientBytes(std::span<const std::uint8_t> file);

} // namespace kalvero
