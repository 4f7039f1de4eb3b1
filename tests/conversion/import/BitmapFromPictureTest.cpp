#include "conversion/import/BitmapFromPicture.h"

#include "conversion/Epa2Image.h"
#include "conversion/FileConversion.h"
#include "conversion/import/TestPictures.h"

#include <gtest/gtest.h>

namespace kalvero {
namespace {

using test::FlatPicture;
using test::PaintRect;

// Where rows and bits go is checked through kalvero-cli import (ImportTest).
TEST(BitmapFromPicture, ThresholdOnTheGreyValue) {
    // grey, threshold, first pixel byte of the top row
    const std::array<int, 3> cases[] = {{118, 119, 0x00}, {119, 119, 0xFF}, {0, 0, 0xFF},
                                        {254, 255, 0x00}, {255, 255, 0xFF}, {255, 256, 0x00}};
    for (const auto& [grey, threshold, pixelByte] : cases) {
        const auto g = static_cast<std::uint8_t>(grey);
        const std::vector<std::uint8_t> bmp = MonoBitmapFromPicture(
            test::Swatches(FlatPicture(136, 84, {g, g, g})), Dither::None, threshold);
        EXPECT_EQ(bmp[1722], pixelByte) << grey << " at threshold " << threshold;
    }
}

TEST(BitmapFromPicture, SixteenColoursComeOutOfEpa2AsTheyWentIn) {
    // Colours that 6 bits hold exactly (65, 130, 195 and 255 are shades of
    // 16, 32, 48 and 63), so nothing may change on the way.
    const Rgb colours[] = {{0, 0, 0},       {255, 0, 0},     {0, 130, 255}, {65, 195, 65},
                           {130, 130, 130}, {255, 255, 255}, {195, 65, 130}};
    for (const int height : {84, 126}) {
        RgbImage picture = FlatPicture(136, height, colours[0]);
        for (int i = 1; i < 7; ++i) {
            PaintRect(picture, 19 * i, i, 19, height - 2 * i, colours[i]);
        }
        const std::vector<std::uint8_t> bmp =
            ColourBitmapFromPicture(test::Swatches(picture), Dither::None);
        ASSERT_EQ(bmp.size(), height == 84 ? 5830U : 8686U);
        const FileResult<std::vector<std::uint8_t>> epa2 = EpaFileFromBmp(bmp, false);
        ASSERT_TRUE(epa2.ok());
        ASSERT_EQ(epa2.value().size(), height == 84 ? 5772U : 8628U);
        const Epa2Picture shown = ParseEpa2(epa2.value()).value();
        for (int y = 0; y < height; ++y) {
            for (int x = 0; x < 136; ++x) {
                const int index = shown.indices[static_cast<std::size_t>(y * 136 + x)];
                ASSERT_EQ(Epa2Colour(shown, index), picture.at(x, y)) << x << "," << y;
            }
        }
    }
}

} // namespace
} // namespace kalvero
