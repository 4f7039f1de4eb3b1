#pragma once

#include <cstdint>
#include <span>
#include <string>
#include <vector>

namespace kalvero {

// How many first bytes BmpHeaderContradictions looks at.
inline constexpr std::size_t BmpHeaderLength = 54;

// An accepted bitmap is read by its size alone, as the editor reads it: rows
// bottom-up, uncompressed, 1 or 4 bits a pixel, 136 pixels wide. What the
// file's own header says against that, one sentence each ("rows are stored
// top-down: the logo will be upside down"); nothing when it agrees, or when
// the size is not one of the four accepted ones. head holds the file's first
// bytes (up to BmpHeaderLength) and length is the file's length.
std::vector<std::string> BmpHeaderContradictions(std::uint64_t length,
                                                 std::span<const std::uint8_t> head);

} // namespace kalvero
