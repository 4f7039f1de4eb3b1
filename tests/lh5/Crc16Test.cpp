#include "lh5/Crc16.h"

#include <gtest/gtest.h>
#include <string_view>
#include <vector>

namespace kalvero::lh5 {
namespace {

TEST(Crc16, KnownValues) {
    // Worked by hand with the reflected polynomial 0xA001 from 0; the last is
    // "123456789" followed by its own CRC, low byte first, which leaves 0.
    const std::pair<std::string_view, std::uint16_t> cases[] = {
        {"", 0x0000},     {"123456789", 0xBB3D},         {"\x01", 0xC0C1},
        {"\x80", 0xA001}, {"123456789\x3D\xBB", 0x0000},
    };
    for (const auto& [text, crc] : cases) {
        EXPECT_EQ(Crc16(std::vector<std::uint8_t>(text.begin(), text.end())), crc) << text;
    }
}

} // namespace
} // namespace kalvero::lh5
