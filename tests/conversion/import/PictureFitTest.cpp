#include "conversion/import/PictureFit.h"

#include "conversion/import/TestPictures.h"

#include <gtest/gtest.h>
#include <tuple>

namespace kalvero {
namespace {

TEST(PictureFit, BarsOfEachScaling) {
    struct Case {
        int width;
        int height;
        int targetWidth;
        int targetHeight;
        Scaling scaling;
        Placement expected;
    };
    const Case cases[] = {
        // Twice as wide as the short logo: half size, bars of 21 rows above and below.
        {272, 84, 136, 84, Scaling::Fit, {0, 21, 136, 42}},
        {272, 84, 136, 84, Scaling::Fill, {-68, 0, 272, 84}},
        {272, 84, 136, 84, Scaling::Stretch, {0, 0, 136, 84}},
        // A portrait in the tall logo: 0.75 times, bars of 36 and 37 columns.
        {84, 168, 136, 126, Scaling::Fit, {36, 0, 63, 126}},
        {84, 168, 136, 126, Scaling::Fill, {0, -73, 136, 272}},
        // 4:3 on the full-screen logo of 464 rows: 0.7733 times, 618.7 columns.
        {800, 600, 640, 464, Scaling::Fit, {10, 0, 619, 464}},
    };
    for (const Case& c : cases) {
        EXPECT_EQ(PlacePicture(c.width, c.height, c.targetWidth, c.targetHeight, c.scaling),
                  c.expected)
            << c.width << " x " << c.height << " scaling " << static_cast<int>(c.scaling);
    }
}

// Short from 1.4 times as wide as high (the short logo is 136 x 84, 1.62).
TEST(PictureFit, TallBelowOnePointFourTimesAsWideAsHigh) {
    const std::tuple<int, int, bool> cases[] = {{140, 100, false}, {139, 100, true}, {7, 5, false}};
    for (const auto& [width, height, tall] : cases) {
        EXPECT_EQ(TallFor(width, height), tall) << width << " x " << height;
    }
}

TEST(PictureFit, InvertKeepsTheBarsBlack) {
    // Red 68 x 84 fits at full size from column 34.
    const SwatchImage fitted =
        FitPicture(test::FlatPicture(68, 84, {255, 0, 0}), 136, 84, Scaling::Fit, true);
    const std::pair<int, Rgb> cases[] = {
        {33, {0, 0, 0}}, {34, {0, 255, 255}}, {101, {0, 255, 255}}, {102, {0, 0, 0}}};
    for (const auto& [x, colour] : cases) {
        EXPECT_EQ(RgbFromLinear(fitted.at(x, 83).linear), colour) << x;
    }
}

} // namespace
} // namespace kalvero
