#pragma once

#include <cstdint>
#include <span>
#include <vector>

namespace kalvero::lh5 {

// The code lengths, at most maxLength bits, that spend the fewest bits on
// symbols of these frequencies (package-merge). Symbols of frequency 0 get 0.
// A single used symbol gets length 1; the caller writes such a table as
// "one symbol" instead.
std::vector<std::uint8_t> LimitedCodeLengths(std::span<const std::uint32_t> frequencies,
                                             int maxLength);

// The code lengths, at most maxLength bits, that spend the fewest bits on
// symbols of these frequencies plus lengthCosts[L] for each symbol of length
// L: the price of writing that length into the block's table. Symbols of
// frequency 0 get 0. At least two symbols must be used.
std::vector<std::uint8_t> CheapestCodeLengths(std::span<const std::uint32_t> frequencies,
                                              std::span<const std::uint32_t> lengthCosts,
                                              int maxLength);

// The codes LHA gives to these lengths: shorter codes first, equal lengths in
// symbol order, each code in its low bits.
std::vector<std::uint16_t> CanonicalCodes(std::span<const std::uint8_t> lengths);

} // namespace kalvero::lh5
