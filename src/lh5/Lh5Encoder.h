#pragma once

#include <cstdint>
#include <span>
#include <vector>

namespace kalvero::lh5 {

// Packs data as "-lh5-"; DecodeLh5(EncodeLh5(d), d.size()) == d for every d.
std::vector<std::uint8_t> EncodeLh5(std::span<const std::uint8_t> data);

} // namespace kalvero::lh5
