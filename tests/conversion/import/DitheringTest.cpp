#include "conversion/import/Dithering.h"

#include "conversion/import/TestPictures.h"

#include <algorithm>
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
    const std::tuple<Rgb, std::span<const Swatch>, std::uint8_t> cases[] = {
        {{90, 90, 90}, blackAndGrey, 1}, {{60, 60, 60}, blackAndGrey, 0}, {{9, 9, 9}, same, 0}};
    for (const auto& [pixel, choices, expected] : cases) {
        const SwatchImage picture = test::Swatches(test::FlatPicture(1, 1, pixel));
        EXPECT_EQ(Dithered(picture, Dither::None, choices).front(), expected) << int{pixel.r};
    }
}

TEST(Dithering, OrderedHalfLightFollowsTheBayerPattern) {
    // Levels below 32 light up: 0, 8, 2 and 10 in the first row, 16, 24, 18
    // and 26 in the second.
    EXPECT_EQ(Dithered(Uniform(8, 2, 0.5F), Dither::Ordered, BlackAndWhite),
              (std::vector<std::uint8_t>{1, 0, 1, 0, 1, 0, 1, 0, 0, 1, 0, 1, 0, 1, 0, 1}));
}

TEST(Dithering, OrderedAndDiffusionKeepTheLight) {
    const std::pair<Dither, float> cases[] = {{Dither::Ordered, 0.25F},
                                              {Dither::Diffusion, 0.25F},
                                              {Dither::Diffusion, 0.1F},
                                              {Dither::Diffusion, 0.7F}};
    for (const auto& [dither, light] : cases) {
        const std::vector<std::uint8_t> chosen =
            Dithered(Uniform(136, 84, light), dither, BlackAndWhite);
        const double white =
            static_cast<double>(std::count(chosen.begin(), chosen.end(), 1)) / chosen.size();
        EXPECT_NEAR(white, light, 0.01) << static_cast<int>(dither) << " " << light;
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
