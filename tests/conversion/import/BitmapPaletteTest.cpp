#include "conversion/import/BitmapPalette.h"

#include "conversion/Epa2Image.h"
#include "conversion/import/TestPictures.h"

#include <gtest/gtest.h>
#include <tuple>

namespace kalvero {
namespace {

using test::FlatPicture;
using test::PaintRect;

// Entries 7 and 15 are the grey and white the EPA 2.0 conversion fixes; the
// picture's colours come in 6 bits, darkest first, the lightest in entry 8,
// which must not be black (the conversion would make it blue); entry 6 stays
// black unless all colours are asked for.
TEST(BitmapPalette, FixedEntriesWhereTheEpa2ConversionPutsThem) {
    constexpr Rgb O{0, 0, 0};
    constexpr Rgb Grey{130, 130, 130};
    constexpr Rgb White{255, 255, 255};
    RgbImage colours = FlatPicture(136, 84, O);
    PaintRect(colours, 0, 0, 20, 20, {255, 0, 0});
    PaintRect(colours, 20, 0, 20, 20, {0, 0, 255});
    PaintRect(colours, 40, 0, 20, 20, {255, 140, 0}); // green 140 has no 6-bit shade: 142
    // Eight columns of colours in 6 bits, by lightness L: blue 32.3, dark red
    // 35.1, red 53.2, magenta 60.3, dark green 60.6, green 87.7, cyan 91.1,
    // yellow 97.1.
    const Rgb eight[] = {{255, 255, 0}, {0, 255, 255}, {0, 255, 0}, {0, 170, 0},
                         {255, 0, 255}, {255, 0, 0},   {170, 0, 0}, {0, 0, 255}};
    RgbImage columns = FlatPicture(136, 84, O);
    for (int i = 0; i < 8; ++i) {
        PaintRect(columns, 17 * i, 0, 17, 84, eight[i]);
    }
    const std::tuple<RgbImage, bool, std::array<Rgb, 16>> cases[] = {
        {colours,
         false,
         {O, O, O, O, O, O, O, Grey, {255, 142, 0}, O, O, O, O, {0, 0, 255}, {255, 0, 0}, White}},
        {FlatPicture(136, 84, O),
         false,
         {O, O, O, O, O, O, O, Grey, White, O, O, O, O, O, O, White}},
        // 3 is nearer 4 than 0 in 6 bits, so red is not black.
        {FlatPicture(136, 126, {3, 2, 1}),
         true,
         {O, O, O, O, O, O, O, Grey, {4, 0, 0}, O, O, O, O, O, O, White}},
        {columns,
         false,
         {O, O, O, O, O, eight[7], O, Grey, eight[0], eight[6], eight[5], eight[4], eight[3],
          eight[2], eight[1], White}},
        {columns,
         true,
         {O, O, O, O, O, O, eight[7], Grey, eight[0], eight[6], eight[5], eight[4], eight[3],
          eight[2], eight[1], White}},
    };
    for (const auto& [picture, allColours, expected] : cases) {
        const std::array<Rgb, 16> palette =
            ChooseBitmapPalette(test::Swatches(picture), allColours);
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
