#include "conversion/import/ColourSpace.h"

#include <gtest/gtest.h>

namespace kalvero {
namespace {

TEST(ColourSpace, LabOfWellKnownColours) {
    // Published CIELAB (D65) values of sRGB colours; (60, 60, 60) worked out
    // by hand: linear 0.04519, cube root 0.35618.
    struct Case {
        Rgb colour;
        Lab expected;
    };
    const Case cases[] = {
        {{0, 0, 0}, {0, 0, 0}},
        {{255, 255, 255}, {100, 0, 0}},
        {{255, 0, 0}, {53.24F, 80.09F, 67.20F}},
        {{0, 255, 0}, {87.73F, -86.18F, 83.18F}},
        {{0, 0, 255}, {32.30F, 79.19F, -107.86F}},
        {{128, 128, 128}, {53.59F, 0, 0}},
        {{60, 60, 60}, {25.32F, 0, 0}},
    };
    for (const Case& c : cases) {
        const Lab lab = SwatchFromRgb(c.colour).lab;
        EXPECT_NEAR(lab.l, c.expected.l, 0.02) << int{c.colour.r} << "," << int{c.colour.g};
        EXPECT_NEAR(lab.a, c.expected.a, 0.02) << int{c.colour.r} << "," << int{c.colour.g};
        EXPECT_NEAR(lab.b, c.expected.b, 0.02) << int{c.colour.r} << "," << int{c.colour.g};
    }
    EXPECT_NEAR(DeltaE(SwatchFromRgb({0, 0, 0}).lab, SwatchFromRgb({255, 255, 255}).lab), 100,
                0.01);
}

TEST(ColourSpace, GreyValueIsTheGreyOfTheSameLuminance) {
    // Luminance 0.2126 (red), 0.7152 (green), 0.0722 (blue) encoded as sRGB.
    struct Case {
        Rgb colour;
        int grey;
    };
    const Case cases[] = {{{255, 0, 0}, 127}, {{0, 255, 0}, 220},     {{0, 0, 255}, 76},
                          {{0, 0, 0}, 0},     {{119, 119, 119}, 119}, {{255, 255, 255}, 255}};
    for (const Case& c : cases) {
        EXPECT_EQ(GreyValue(SwatchFromRgb(c.colour).linear), c.grey);
    }
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
