#include "conversion/import/BitmapFromPicture.h"

#include "conversion/BmpFormat.h"
#include "conversion/Epa2Image.h"
#include "conversion/import/LogoFromPicture.h"
#include "conversion/import/TestPictures.h"

#include <gtest/gtest.h>

namespace kalvero {
namespace {

TEST(BitmapFromPicture, EachOutputHasALengthTheConvertersAccept) {
    for (const bool tall : {false, true}) {
        const SwatchImage picture =
            test::Swatches(test::FlatPicture(136, tall ? 126 : 84, {255, 0, 0}));
        EXPECT_EQ(EpaLogoFromPicture(picture, Dither::None).size(), tall ? 2367U : 1602U);
        EXPECT_EQ(ClassifyBmpSize(MonoBitmapFromPicture(picture, Dither::Ordered, 128).size()),
                  tall ? BmpKind::Mono126 : BmpKind::Mono84);
        EXPECT_EQ(
            ClassifyBmpSize(ColourBitmapFromPicture(picture, Dither::Diffusion, false).size()),
            tall ? BmpKind::Colour126 : BmpKind::Colour84);
    }
}

// A picture of more colours than a palette holds, made a full-screen logo's
// pixels; the 16-colour bitmap takes its entries the same way.
TEST(BitmapFromPicture, PaletteEntry6OnlyWhenAllColoursAreAsked) {
    RgbImage colours = test::FlatPicture(64, 48, {0, 0, 0});
    for (std::size_t i = 0; i < colours.pixels.size(); ++i) {
        colours.pixels[i] = {std::uint8_t(i % 64 * 4), std::uint8_t(i / 64 * 5),
                             std::uint8_t(255 - i % 64 * 4)};
    }
    for (const bool allColours : {false, true}) {
        const Epa2Picture picture =
            ParseEpa2(
                FullScreenLogoFromPicture(test::Swatches(colours), Dither::Diffusion, allColours))
                .value();
        EXPECT_EQ(std::count(picture.indices.begin(), picture.indices.end(), 6) > 0, allColours);
    }
}

TEST(BitmapFromPicture, ThresholdOnTheGreyValue) {
    // grey, threshold, first pixel byte of the top row (stored last)
    const std::array<int, 3> cases[] = {
        {118, 119, 0x00}, {119, 119, 0xFF}, {0, 0, 0xFF}, {255, 255, 0xFF}, {255, 256, 0x00}};
    for (const auto& [grey, threshold, pixelByte] : cases) {
        const auto g = static_cast<std::uint8_t>(grey);
        const std::vector<std::uint8_t> bmp = MonoBitmapFromPicture(
            test::Swatches(test::FlatPicture(136, 84, {g, g, g})), Dither::None, threshold);
        EXPECT_EQ(bmp[1722], pixelByte) << grey << " at threshold " << threshold;
    }
}

} // namespace
} // namespace kalvero
