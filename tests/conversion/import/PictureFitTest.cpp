#include "conversion/import/PictureFit.h"

#include "conversion/import/TestPictures.h"

#include <gtest/gtest.h>

namespace kalvero {
namespace {

using test::Black;
using test::FlatPicture;

TEST(PictureFit, ShortOnlyForPicturesAtLeast1Point4TimesAsWideAsHigh) {
    // width, height, 1 for tall
    const std::array<int, 3> cases[] = {{136, 84, 0},  {136, 126, 1}, {1920, 1080, 0},
                                        {140, 100, 0}, {139, 100, 1}, {400, 300, 1},
                                        {100, 200, 1}, {1, 1, 1}};
    for (const auto& [width, height, tall] : cases) {
        EXPECT_EQ(TallFor(width, height), tall != 0) << width << " x " << height;
    }
}

// Where the black bars go: the pixels themselves are checked through
// kalvero-cli import (ImportTest).
TEST(PictureFit, PlacementOfEachScaling) {
    struct Case {
        int width;
        int height;
        int logoHeight;
        Scaling scaling;
        Placement expected;
    };
    const Case cases[] = {
        // Twice as wide as the short logo: half size, bars of 21 rows above and below.
        {272, 84, 84, Scaling::Fit, {0, 21, 136, 42}},
        {272, 84, 84, Scaling::Fill, {-68, 0, 272, 84}},
        {272, 84, 84, Scaling::Stretch, {0, 0, 136, 84}},
        // A portrait in the tall logo: 0.75 times, bars of 36 and 37 columns.
        {84, 168, 126, Scaling::Fit, {36, 0, 63, 126}},
        {84, 168, 126, Scaling::Fill, {0, -73, 136, 272}},
        {1, 1, 84, Scaling::Fit, {26, 0, 84, 84}},
        {136, 126, 126, Scaling::Fill, {0, 0, 136, 126}},
        {0, 10, 84, Scaling::Stretch, {0, 0, 0, 0}},
    };
    for (const Case& c : cases) {
        EXPECT_EQ(PlacePicture(c.width, c.height, c.logoHeight, c.scaling), c.expected)
            << c.width << " x " << c.height << " scaling " << static_cast<int>(c.scaling);
    }
}

TEST(PictureFit, ShrinkingAveragesLightNotNumbers) {
    RgbImage stripes = FlatPicture(272, 84, Black);
    for (int x = 1; x < 272; x += 2) {
        test::PaintRect(stripes, x, 0, 1, 84, test::White);
    }
    const SwatchImage fitted = FitPicture(stripes, 84, Scaling::Stretch, false);
    EXPECT_NEAR(fitted.at(10, 10).linear.r, 0.5, 1e-6);
    EXPECT_NEAR(fitted.at(135, 83).linear.b, 0.5, 1e-6);
}

TEST(PictureFit, InvertKeepsTheBarsBlack) {
    const RgbImage red = FlatPicture(68, 84, test::Red); // fits at full size from column 34
    const SwatchImage fitted = FitPicture(red, 84, Scaling::Fit, true);
    constexpr Rgb Cyan{0, 255, 255};
    EXPECT_EQ(RgbFromLinear(fitted.at(33, 0).linear), Black);
    EXPECT_EQ(RgbFromLinear(fitted.at(34, 0).linear), Cyan);
    EXPECT_EQ(RgbFromLinear(fitted.at(101, 83).linear), Cyan);
    EXPECT_EQ(RgbFromLinear(fitted.at(102, 0).linear), Black);
}

} // namespace
} // namespace kalvero
