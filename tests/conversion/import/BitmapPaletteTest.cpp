#include "conversion/import/BitmapPalette.h"

#include "conversion/Epa2Image.h"
#include "conversion/import/TestPictures.h"

#include <gtest/gtest.h>

namespace kalvero {
namespace {

using test::FlatPicture;
using test::PaintRect;

// Entries 7 and 15 are the grey and white the EPA 2.0 conversion fixes; the
// picture's colours come in 6 bits, darkest first, the lightest in entry 8,
// which must not be black (the conversion would make it blue).
TEST(BitmapPalette, FixedEntriesWhereTheEpa2ConversionPutsThem) {
    constexpr Rgb O{0, 0, 0};
    constexpr Rgb Grey{130, 130, 130};
    constexpr Rgb White{255, 255, 255};
    RgbImage colours = FlatPicture(136, 84, O);
    PaintRect(colours, 0, 0, 20, 20, {255, 0, 0});
    PaintRect(colours, 20, 0, 20, 20, {0, 0, 255});
    PaintRect(colours, 40, 0, 20, 20, {255, 140, 0}); // green 140 has no 6-bit shade: 142
    const std::pair<RgbImage, std::array<Rgb, 16>> cases[] = {
        {colours,
         {O, O, O, O, O, O, O, Grey, {255, 142, 0}, O, O, O, O, {0, 0, 255}, {255, 0, 0}, White}},
        {FlatPicture(136, 84, O), {O, O, O, O, O, O, O, Grey, White, O, O, O, O, O, O, White}},
        // 3 is nearer 4 than 0 in 6 bits, so red is not black.
        {FlatPicture(136, 126, {3, 2, 1}),
         {O, O, O, O, O, O, O, Grey, {4, 0, 0}, O, O, O, O, O, O, White}},
    };
    for (const auto& [picture, expected] : cases) {
        const std::array<Rgb, 16> palette = ChooseBitmapPalette(test::Swatches(picture));
        EXPECT_EQ(palette, expected) << int{expected[8].r} << "," << int{expected[8].g};
        // The EPA 2.0 image made through the bitmap shows each entry unchanged.
        std::vector<std::uint8_t> entries;
        for (const Rgb& entry : palette) {
            entries.insert(entries.end(), {entry.b, entry.g, entry.r, 0});
        }
        const Epa2Picture shown =
            ParseEpa2(BuildEpa2Data(entries, std::vector<std::uint8_t>(68 * 84, 0), false)).value();
        for (int i = 0; i < 16; ++i) {
            EXPECT_EQ(Epa2Colour(shown, i), palette[static_cast<std::size_t>(i)]) << i;
        }
    }
}

} // namespace
} // namespace kalvero
