#include "conversion/import/PictureFit.h"

#include "conversion/import/TestPictures.h"

#include <gtest/gtest.h>

namespace kalvero {
namespace {

using test::Black;
using test::FlatPicture;
using test::PaintRect;
using test::Red;

constexpr Rgb Green{0, 255, 0};
constexpr Rgb Cyan{0, 255, 255};

TEST(PictureFit, ShortOnlyForPicturesAtLeast1Point4TimesAsWideAsHigh) {
    struct Case {
        int width;
        int height;
        bool tall;
    };
    const Case cases[] = {
        {136, 84, false},  {136, 126, true},  {1920, 1080, false},
        {300, 200, false}, {140, 100, false}, {139, 100, true},
        {400, 300, true},  {100, 200, true},  {1, 1, true},
    };
    for (const Case& c : cases) {
        EXPECT_EQ(TallFor(c.width, c.height), c.tall) << c.width << " x " << c.height;
    }
}

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
        {136, 126, 126, Scaling::Fit, {0, 0, 136, 126}},
        {136, 126, 126, Scaling::Fill, {0, 0, 136, 126}},
        {0, 10, 84, Scaling::Stretch, {0, 0, 0, 0}},
    };
    for (const Case& c : cases) {
        EXPECT_EQ(PlacePicture(c.width, c.height, c.logoHeight, c.scaling), c.expected)
            << c.width << " x " << c.height << " scaling " << static_cast<int>(c.scaling);
    }
}

TEST(PictureFit, WherePicturePartsAndBarsLand) {
    RgbImage picture = FlatPicture(272, 84, Red);
    PaintRect(picture, 136, 0, 136, 84, Green); // right half
    struct Probe {
        int x;
        int y;
        Rgb colour;
    };
    struct Case {
        Scaling scaling;
        std::vector<Probe> probes;
    };
    const Case cases[] = {
        {Scaling::Fit,
         {{0, 20, Black},
          {0, 21, Red},
          {67, 40, Red},
          {68, 40, Green},
          {135, 62, Green},
          {135, 63, Black},
          {70, 83, Black}}},
        // The middle half of the picture: columns 68 to 203.
        {Scaling::Fill, {{0, 0, Red}, {67, 83, Red}, {68, 0, Green}, {135, 83, Green}}},
        {Scaling::Stretch, {{0, 0, Red}, {67, 83, Red}, {68, 0, Green}, {135, 83, Green}}},
    };
    for (const Case& c : cases) {
        const SwatchImage fitted = FitPicture(picture, 84, c.scaling, false);
        ASSERT_EQ(fitted.width, 136);
        ASSERT_EQ(fitted.height, 84);
        for (const Probe& p : c.probes) {
            EXPECT_EQ(RgbFromLinear(fitted.at(p.x, p.y).linear), p.colour)
                << "scaling " << static_cast<int>(c.scaling) << " at " << p.x << "," << p.y;
        }
    }
}

TEST(PictureFit, PictureOfTheLogosSizeIsTakenPixelForPixel) {
    for (const int height : {84, 126}) {
        const RgbImage picture = test::BusyPicture(136, height);
        const SwatchImage fitted = FitPicture(picture, height, Scaling::Fit, false);
        for (std::size_t i = 0; i < picture.pixels.size(); ++i) {
            ASSERT_EQ(RgbFromLinear(fitted.pixels[i].linear), picture.pixels[i]) << i;
        }
    }
}

TEST(PictureFit, ShrinkingAveragesLightNotNumbers) {
    RgbImage stripes = FlatPicture(272, 84, Black);
    for (int x = 1; x < 272; x += 2) {
        PaintRect(stripes, x, 0, 1, 84, test::White);
    }
    const SwatchImage fitted = FitPicture(stripes, 84, Scaling::Stretch, false);
    EXPECT_NEAR(fitted.at(10, 10).linear.r, 0.5, 1e-6);
    EXPECT_NEAR(fitted.at(135, 83).linear.b, 0.5, 1e-6);
}

TEST(PictureFit, InvertKeepsTheBarsBlack) {
    const RgbImage red = FlatPicture(68, 84, Red); // fits at full size from column 34
    const SwatchImage fitted = FitPicture(red, 84, Scaling::Fit, true);
    EXPECT_EQ(RgbFromLinear(fitted.at(33, 0).linear), Black);
    EXPECT_EQ(RgbFromLinear(fitted.at(34, 0).linear), Cyan);
    EXPECT_EQ(RgbFromLinear(fitted.at(101, 83).linear), Cyan);
    EXPECT_EQ(RgbFromLinear(fitted.at(102, 0).linear), Black);
}

} // namespace
} // namespace kalvero
