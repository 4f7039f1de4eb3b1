#pragma once

#include <cstddef>
#include <cstdint>
#include <vector>

namespace kalvero::test {

// Bytes that pack well (seed picks the pattern) or hardly at all.
std::vector<std::uint8_t> Pattern(std::size_t size, unsigned seed);
std::vector<std::uint8_t> Noise(std::size_t size, unsigned seed);

} // namespace kalvero::test
