#include "conversion/import/LogoFromPicture.h"

#include "conversion/import/TestPictures.h"
#include "document/EpaFormat.h"

#include <bitset>
#include <gtest/gtest.h>

namespace kalvero {
namespace {

using test::ExpectedByte;
using test::FlatPicture;
using test::PaintRect;

TEST(LogoFromPicture, CellColoursAndGlyphBitsAtTheirFileOffsets) {
    RgbImage picture = FlatPicture(136, 84, {0, 0, 0});
    PaintRect(picture, 0, 0, 8, 14, {255, 0, 0}); // cell 0: all red
    PaintRect(picture, 8, 0, 4, 14, {0, 0, 255}); // cell 1: left half blue
    for (int y = 0; y < 14; ++y) {                // cell 2: white checkerboard
        for (int x = 16 + y % 2; x < 24; x += 2) {
            PaintRect(picture, x, y, 1, 1, {255, 255, 255});
        }
    }
    PaintRect(picture, 24, 0, 8, 14, {60, 60, 60});   // cell 3: dark grey
    PaintRect(picture, 135, 83, 1, 1, {255, 255, 0}); // cell 101: its last pixel yellow

    const std::vector<std::uint8_t> epa = EpaLogoFromPicture(test::Swatches(picture), Dither::None);
    ASSERT_EQ(epa.size(), 1602U);
    // Attributes from offset 2, glyphs of 14 bytes from 104, trailer from 1532.
    const ExpectedByte expected[] = {
        {0, 17},      {1, 6},      {2, 12},     {3, 9},      {4, 15},     {5, 0},
        {6, 0},       {103, 14},   {104, 0xFF}, {117, 0xFF}, {118, 0xF0}, {131, 0xF0},
        {132, 0xAA},  {133, 0x55}, {145, 0x55}, {146, 0},    {159, 0},    {104 + 14 * 101 + 12, 0},
        {1531, 0x01}, {1532, 7},
    };
    for (const ExpectedByte& e : expected) {
        EXPECT_EQ(epa[e.offset], e.value) << "offset " << e.offset;
    }
}

TEST(LogoFromPicture, TallPictureGivesTallLogo) {
    RgbImage picture = FlatPicture(136, 126, {0, 0, 0});
    PaintRect(picture, 128, 112, 8, 14, {0, 128, 0}); // last cell, 152
    const std::vector<std::uint8_t> epa = EpaLogoFromPicture(test::Swatches(picture), Dither::None);
    ASSERT_EQ(epa.size(), 2367U);
    EXPECT_EQ(epa[1], 9);
    EXPECT_EQ(epa[154], 2);
    EXPECT_EQ(epa[155 + 14 * 152], 0xFF);
    EXPECT_EQ(epa[2296], 0xFF);
    EXPECT_EQ(epa[2297], 7);
}

TEST(LogoFromPicture, OrderedDarkGreyLightsAsManyDotsAsItsLightAsks) {
    // Grey 60 is 0.2093 of grey 128's light: Bayer levels 0 to 12 of 64 light
    // up, 13 dots in the first eight rows and 11 in the other six.
    const RgbImage picture = FlatPicture(136, 84, {60, 60, 60});
    const std::vector<std::uint8_t> epa =
        EpaLogoFromPicture(test::Swatches(picture), Dither::Ordered);
    EXPECT_EQ(epa[2], 8);
    std::size_t dots = 0;
    for (std::size_t line = 0; line < 14; ++line) {
        dots += std::bitset<8>(epa[104 + line]).count();
    }
    EXPECT_EQ(dots, 24U);
}

} // namespace
} // namespace kalvero
