#include "conversion/import/BitmapFromPicture.h"

#include "conversion/BmpFormat.h"
#include "conversion/Epa2Image.h"
#include "conversion/FileConversion.h"
#include "conversion/import/LogoFromPicture.h"
#include "conversion/import/PictureImport.h"
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

// A picture of more colours than a palette holds.
TEST(BitmapFromPicture, PaletteEntry6OnlyWhenAllColoursAreAsked) {
    RgbImage colours = test::FlatPicture(160, 120, {0, 0, 0});
    for (int y = 0; y < 120; ++y) {
        for (int x = 0; x < 160; ++x) {
            const auto across = static_cast<std::uint8_t>(x * 255 / 159);
            colours.pixels[static_cast<std::size_t>(y * 160 + x)] = {
                across, static_cast<std::uint8_t>(y * 255 / 119),
                static_cast<std::uint8_t>(255 - across)};
        }
    }
    for (const ImportTarget target : {ImportTarget::ColourBitmap, ImportTarget::FullScreen}) {
        for (const bool allColours : {false, true}) {
            ImportSettings settings;
            settings.target = target;
            settings.allColours = allColours;
            const std::vector<std::uint8_t> file = ImportPicture(colours, settings);
            const FileResult<std::vector<std::uint8_t>> epa2 =
                target == ImportTarget::FullScreen ? file : EpaFileFromBmp(file, false);
            const Epa2Picture picture = ParseEpa2(epa2.value()).value();
            EXPECT_EQ(picture.width * picture.height,
                      target == ImportTarget::FullScreen ? 640 * 480 : 136 * 126);
            EXPECT_EQ(std::count(picture.indices.begin(), picture.indices.end(), 6) > 0,
                      allColours);
        }
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
