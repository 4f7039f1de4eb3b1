#include "bios/Crc16.h"

#include <gtest/gtest.h>
#include <string_view>
#include <vector>

namespace kalvero::bios {
namespace {

std::uint16_t CrcOf(std::string_view text) {
    const std::vector<std::uint8_t> bytes(text.begin(), text.end());
    return Crc16(bytes);
}

TEST(Crc16, KnownValues) {
    // Worked by hand with the reflected polynomial 0xA001 from 0.
    const std::pair<std::string_view, std::uint16_t> cases[] = {
        {"", 0x0000},     {"123456789", 0xBB3D}, {std::string_view("\x00", 1), 0x0000},
        {"\x01", 0xC0C1}, {"\x80", 0xA001},      {"\xFF", 0x4040},
        {"A", 0x30C0},
    };
    for (const auto& [text, crc] : cases) {
        EXPECT_EQ(CrcOf(text), crc) << text;
    }
}

TEST(Crc16, DataFollowedByItsCrcLowByteFirstLeavesZero) {
    std::vector<std::uint8_t> bytes{'1', '2', '3', '4', '5', '6', '7', '8', '9'};
    const std::uint16_t crc = Crc16(bytes);
    bytes.push_back(static_cast<std::uint8_t>(crc & 0xFF));
    bytes.push_back(static_cast<std::uint8_t>(crc >> 8));
    EXPECT_EQ(Crc16(bytes), 0);
}

} // namespace
} // namespace kalvero::bios
