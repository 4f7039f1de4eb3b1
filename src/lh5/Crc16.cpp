#include "lh5/Crc16.h"

#include <array>

namespace kalvero::lh5 {
namespace {

constexpr std::array<std::uint16_t, 256> MakeTable() {
    std::array<std::uint16_t, 256> table{};
    for (unsigned byte = 0; byte < 256; ++byte) {
        unsigned crc = byte;
        for (int bit = 0; bit < 8; ++bit) {
            crc = (crc & 1) != 0 ? (crc >> 1) ^ 0xA001 : crc >> 1;
        }
        table[byte] = static_cast<std::uint16_t>(crc);
    }
    return table;
}

constexpr std::array<std::uint16_t, 256> Table = MakeTable();

} // namespace

std::uint16_t Crc16(std::span<const std::uint8_t> data) {
    unsigned crc = 0;
    for (const std::uint8_t byte : data) {
        crc = (crc >> 8) ^ Table[(crc ^ byte) & 0xFF];
    }
    return static_cast<std::uint16_t>(crc);
}

} // namespace kalvero::lh5
