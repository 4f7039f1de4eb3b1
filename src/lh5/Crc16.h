#pragma once

#include <cstdint>
#include <span>

namespace kalvero::lh5 {

// The CRC-16 LHA stores for a member's original data: polynomial 0xA001
// (reflected), start 0.
std::uint16_t Crc16(std::span<const std::uint8_t> data);

} // namespace kalvero::lh5
