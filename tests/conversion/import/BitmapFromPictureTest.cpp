#include "conversion/import/BitmapFromPicture.h"

#include "conversion/BmpFormat.h"
#include "conversion/Epa2Image.h"
#include "conversion/FileConversion.h"
#include "conversion/import/TestPictures.h"

#include <gtest/gtest.h>

namespace kalvero {
namespace {

using test::ExpectedByte;
using test::FlatPicture;
using test::PaintRect;

TEST(BitmapFromPicture, TwoColourLayoutAsLoadBmpTakesIt) {
    struct Case {
        int height;
        std::pair<int, int> whitePixel;
        std::size_t length;
        BmpKind kind;
        std::vector<ExpectedByte> expected;
    };
    const Case cases[] = {
        // Palette black, then white with its reserved byte 255; the top row
        // is stored last, at 62 + 83 * 20.
        {84,
         {0, 0},
         1742,
         BmpKind::Mono84,
         {{10, 62},
          {28, 1},
          {54, 0},
          {57, 0},
          {58, 255},
          {61, 255},
          {62, 0},
          {1722, 0x80},
          {1739, 0}}},
        // The bottom row is stored first.
        {126, {135, 125}, 2582, BmpKind::Mono126, {{22, 126}, {78, 0x01}, {2562, 0}}},
    };
    for (const Case& c : cases) {
        RgbImage picture = FlatPicture(136, c.height, {0, 0, 0});
        PaintRect(picture, c.whitePixel.first, c.whitePixel.second, 1, 1, {255, 255, 255});
        const std::vector<std::uint8_t> bmp =
            MonoBitmapFromPicture(test::Swatches(picture), Dither::None, 119);
        ASSERT_EQ(bmp.size(), c.length);
        EXPECT_EQ(ClassifyBmpSize(bmp.size()), c.kind);
        for (const ExpectedByte& e : c.expected) {
            EXPECT_EQ(bmp[e.offset], e.value) << c.height << " offset " << e.offset;
        }
        EXPECT_TRUE(EpaFileFromBmp(bmp, false).ok());
    }
}

TEST(BitmapFromPicture, ThresholdOnTheGreyValue) {
    struct Case {
        std::uint8_t grey;
        int threshold;
        int pixelByte; // first pixel byte of the top row
    };
    const Case cases[] = {{118, 119, 0x00}, {119, 119, 0xFF}, {0, 0, 0xFF},
                          {254, 255, 0x00}, {255, 255, 0xFF}, {255, 256, 0x00}};
    for (const Case& c : cases) {
        const RgbImage picture = FlatPicture(136, 84, {c.grey, c.grey, c.grey});
        const std::vector<std::uint8_t> bmp =
            MonoBitmapFromPicture(test::Swatches(picture), Dither::None, c.threshold);
        EXPECT_EQ(bmp[1722], c.pixelByte) << int{c.grey} << " at threshold " << c.threshold;
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
