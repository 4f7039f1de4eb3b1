#pragma once

#include <cstdint>
#include <span>
#include <string>
#include <vector>

namespace kalvero {

// What a bitmap is read for: its pixels only (a two-colour bitmap becoming a
// logo never uses its colours), or its pixels in its own colours.
enum class BmpUse { Conversion, Picture };

// An accepted bitmap is read by its size alone, as the editor reads it: rows
// bottom-up, uncompressed, 1 or 4 bits a pixel, 136 pixels wide, the pixels
// and colours at fixed offsets. What the file's own header says against that,
// one sentence each, naming what the header says ("rows are stored top-down:
// the logo will be upside down"); only what changes the result of the use
// counts. Nothing when it agrees, or for a file of any other size.
std::vector<std::string> BmpHeaderWarnings(std::span<const std::uint8_t> file, BmpUse use);

} // namespace kalvero
