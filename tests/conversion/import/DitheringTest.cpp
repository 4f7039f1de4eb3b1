#include "conversion/import/Dithering.h"

#include "conversion/import/TestPictures.h"

#include <algorithm>
#include <array>
#include <gtest/gtest.h>

namespace kalvero {
namespace {

SwatchImage Uniform(int width, int height, float light) {
    return SwatchImage{width, height,
                       std::vector<Swatch>(static_cast<std::size_t>(width * height),
                                           SwatchFromLinear({light, light, light}))};
}

const std::array<Swatch, 2> BlackAndWhite{SwatchFromRgb({0, 0, 0}), SwatchFromRgb({255, 255, 255})};

std::vector<std::uint8_t> Dithered(const SwatchImage& picture, Dither dither,
                                   std::span<const Swatch> choices) {
    return DitherPicture(picture, dither, [&](int, int) { return choices; });
}

TEST(Dithering, WithoutDitheringEachPixelTakesItsNearestColourInLab) {
    // Grey 90 (L 38.2) is nearer grey 128 (L 53.6) than black, although in
    // linear light (0.102 against 0.216) it is nearer black.
    const std::array<Swatch, 2> blackAndGrey{SwatchFromRgb({0, 0, 0}),
                                             SwatchFromRgb({128, 128, 128})};
    const std::array<Swatch, 2> same{SwatchFromRgb({9, 9, 9}), SwatchFromRgb({9, 9, 9})};
    struct Case {
        Rgb pixel;
        std::span<const Swatch> choices;
        std::uint8_t expected;
    };
    const Case cases[] = {
        {{90, 90, 90}, blackAndGrey, 1}, {{60, 60, 60}, blackAndGrey, 0}, {{9, 9, 9}, same, 0}};
    for (const Case& c : cases) {
        const SwatchImage picture = test::Swatches(test::FlatPicture(1, 1, c.pixel));
        EXPECT_EQ(Dithered(picture, Dither::None, c.choices).front(), c.expected) << int{c.pixel.r};
    }
}

TEST(Dithering, OrderedHalfLightFollowsTheBayerPattern) {
    const std::vector<std::uint8_t> chosen =
        Dithered(Uniform(8, 8, 0.5F), Dither::Ordered, BlackAndWhite);
    EXPECT_EQ(std::count(chosen.begin(), chosen.end(), 1), 32);
    // Levels 0 and 16 light up, 32 and 48 do not.
    EXPECT_EQ(chosen[0], 1);
    EXPECT_EQ(chosen[1], 0);
    EXPECT_EQ(chosen[8], 0);
    EXPECT_EQ(chosen[9], 1);
}

TEST(Dithering, OrderedAndDiffusionKeepTheLight) {
    struct Case {
        Dither dither;
        float light;
    };
    for (const Case& c : {Case{Dither::Ordered, 0.25F}, Case{Dither::Diffusion, 0.25F},
                          Case{Dither::Diffusion, 0.1F}, Case{Dither::Diffusion, 0.7F}}) {
        const std::vector<std::uint8_t> chosen =
            Dithered(Uniform(136, 84, c.light), c.dither, BlackAndWhite);
        const double white =
            static_cast<double>(std::count(chosen.begin(), chosen.end(), 1)) / chosen.size();
        EXPECT_NEAR(white, c.light, 0.01) << static_cast<int>(c.dither) << " " << c.light;
    }
}

TEST(Dithering, DiffusionLeavesColoursItCanShowAlone) {
    const std::array<Swatch, 3> choices{SwatchFromRgb({0, 0, 0}), SwatchFromRgb({255, 0, 0}),
                                        SwatchFromRgb({0, 0, 255})};
    RgbImage picture = test::FlatPicture(136, 84, {255, 0, 0});
    test::PaintRect(picture, 0, 40, 136, 44, {0, 0, 255});
    const std::vector<std::uint8_t> chosen =
        Dithered(test::Swatches(picture), Dither::Diffusion, choices);
    for (std::size_t i = 0; i < chosen.size(); ++i) {
        ASSERT_EQ(chosen[i], i < 40 * 136 ? 1 : 2) << i;
    }
}

} // namespace
} // namespace kalvero
