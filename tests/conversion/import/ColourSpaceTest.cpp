#include "conversion/import/ColourSpace.h"

#include <gtest/gtest.h>

namespace kalvero {
namespace {

TEST(ColourSpace, LabAndGreyValueOfWellKnownColours) {
    // Published CIELAB (D65) values of sRGB colours; (60, 60, 60) worked out
    // by hand: linear 0.04519, cube root 0.35618. The grey value has the same
    // luminance: 0.2126 red, 0.7152 green, 0.0722 blue, encoded as sRGB.
    struct Case {
        Rgb colour;
        Lab lab;
        int grey;
    };
    const Case cases[] = {
        {{0, 0, 0}, {0, 0, 0}, 0},
        {{255, 255, 255}, {100, 0, 0}, 255},
        {{255, 0, 0}, {53.24F, 80.09F, 67.20F}, 127},
        {{0, 255, 0}, {87.73F, -86.18F, 83.18F}, 220},
        {{0, 0, 255}, {32.30F, 79.19F, -107.86F}, 76},
        {{128, 128, 128}, {53.59F, 0, 0}, 128},
        {{60, 60, 60}, {25.32F, 0, 0}, 60},
    };
    for (const Case& c : cases) {
        const Swatch swatch = SwatchFromRgb(c.colour);
        SCOPED_TRACE(std::to_string(c.colour.r) + "," + std::to_string(c.colour.g));
        EXPECT_NEAR(swatch.lab.l, c.lab.l, 0.02);
        EXPECT_NEAR(swatch.lab.a, c.lab.a, 0.02);
        EXPECT_NEAR(swatch.lab.b, c.lab.b, 0.02);
        EXPECT_EQ(GreyValue(swatch.linear), c.grey);
    }
    EXPECT_NEAR(DeltaE(SwatchFromRgb({0, 0, 0}).lab, SwatchFromRgb({255, 255, 255}).lab), 100,
                0.01);
}

TEST(ColourSpace, EveryByteSurvivesTheTripThroughLinearLight) {
    for (int value = 0; value < 256; ++value) {
        const auto byte = static_cast<std::uint8_t>(value);
        ASSERT_EQ(SrgbFromLinear(LinearFromSrgb(byte)), byte);
    }
    EXPECT_EQ(SrgbFromLinear(0.5F), 188); // half the light is far above half the number
    EXPECT_EQ(SrgbFromLinear(-1), 0);
    EXPECT_EQ(SrgbFromLinear(2), 255);
}

} // namespace
} // namespace kalvero
