#pragma once

#include <cstdint>
#include <optional>
#include <span>
#include <string>

namespace kalvero::bios {

// The last POST code a BIOS wrote to port 0x80, from the bytes logged there
// (QEMU's debug console on that port); nullopt when it wrote none.
std::optional<std::uint8_t> LastPostCode(std::span<const std::uint8_t> log);

// "0E", and what the BIOS stopping there under QEMU means, where that is
// known: "0E (... )".
std::string DescribePostCode(std::uint8_t code);

} // namespace kalvero::bios
