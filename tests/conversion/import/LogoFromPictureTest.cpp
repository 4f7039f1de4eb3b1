#include "conversion/import/LogoFromPicture.h"

#include "conversion/import/TestPictures.h"

#include <bitset>
#include <gtest/gtest.h>

namespace kalvero {
namespace {

using test::FlatPicture;
using test::PaintRect;

TEST(LogoFromPicture, CellColoursAndGlyphBitsAtTheirFileOffsets) {
    RgbImage flat = FlatPicture(136, 84, test::Black);
    PaintRect(flat, 0, 0, 8, 14, test::Red);   // cell 0: all red
    PaintRect(flat, 8, 0, 4, 14, {0, 0, 255}); // cell 1: left half blue
    for (int y = 0; y < 14; ++y) {             // cell 2: white checkerboard
        for (int x = 16 + y % 2; x < 24; x += 2) {
            PaintRect(flat, x, y, 1, 1, test::White);
        }
    }
    PaintRect(flat, 24, 0, 8, 14, {60, 60, 60});   // cell 3: dark grey
    PaintRect(flat, 135, 83, 1, 1, {255, 255, 0}); // cell 101: its last pixel yellow
    RgbImage tall = FlatPicture(136, 126, test::Black);
    PaintRect(tall, 128, 112, 8, 14, {0, 128, 0}); // the last cell, 152
    // Attributes from offset 2, glyphs of 14 bytes from 104 (short) or 155
    // (tall), the trailer after them.
    const std::pair<RgbImage, std::vector<std::pair<std::size_t, int>>> cases[] = {
        {flat, {{0, 17},      {1, 6},      {2, 12},
                {3, 9},       {4, 15},     {5, 0},
                {6, 0},       {103, 14},   {104, 0xFF},
                {117, 0xFF},  {118, 0xF0}, {131, 0xF0},
                {132, 0xAA},  {133, 0x55}, {145, 0x55},
                {146, 0},     {159, 0},    {104 + 14 * 101 + 12, 0},
                {1531, 0x01}, {1532, 7}}},
        {tall, {{1, 9}, {153, 0}, {154, 2}, {155 + 14 * 152, 0xFF}, {2296, 0xFF}, {2297, 7}}},
    };
    for (const auto& [picture, expected] : cases) {
        const std::vector<std::uint8_t> epa =
            EpaLogoFromPicture(test::Swatches(picture), Dither::None);
        ASSERT_EQ(epa.size(), picture.height == 84 ? 1602U : 2367U);
        for (const auto& [offset, value] : expected) {
            EXPECT_EQ(epa[offset], value) << picture.height << " offset " << offset;
        }
    }
}

TEST(LogoFromPicture, OrderedDarkGreyLightsAsManyDotsAsItsLightAsks) {
    // Grey 60 is 0.2093 of grey 128's light: Bayer levels 0 to 12 of 64 light
    // up, 13 dots in the first eight rows and 11 in the other six.
    const std::vector<std::uint8_t> epa =
        EpaLogoFromPicture(test::Swatches(FlatPicture(136, 84, {60, 60, 60})), Dither::Ordered);
    EXPECT_EQ(epa[2], 8);
    std::size_t dots = 0;
    for (std::size_t line = 0; line < 14; ++line) {
        dots += std::bitset<8>(epa[104 + line]).count();
    }
    EXPECT_EQ(dots, 24U);
}

} // namespace
} // namespace kalvero
