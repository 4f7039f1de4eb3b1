#include "conversion/import/BitmapFromPicture.h"

#include "conversion/BmpFormat.h"
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
        EXPECT_EQ(ClassifyBmpSize(ColourBitmapFromPicture(picture, Dither::Diffusion).size()),
                  tall ? BmpKind::Colour126 : BmpKind::Colour84);
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
