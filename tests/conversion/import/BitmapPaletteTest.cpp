#include "conversion/import/BitmapPalette.h"

#include "conversion/Epa2Image.h"
#include "conversion/import/TestPictures.h"

#include <gtest/gtest.h>

namespace kalvero {
namespace {

using test::Black;
using test::FlatPicture;
using test::PaintRect;
using test::White;

// What the EPA 2.0 image made through the bitmap shows of each entry.
std::array<Rgb, 16> ShownByEpa2(const std::array<Rgb, 16>& palette) {
    std::vector<std::uint8_t> bytes;
    for (const Rgb& entry : palette) {
        bytes.insert(bytes.end(), {entry.b, entry.g, entry.r, 0});
    }
    const Epa2Picture picture =
        ParseEpa2(BuildEpa2Data(bytes, std::vector<std::uint8_t>(68 * 84, 0), false)).value();
    std::array<Rgb, 16> shown{};
    for (int i = 0; i < 16; ++i) {
        shown[static_cast<std::size_t>(i)] = Epa2Colour(picture, i);
    }
    return shown;
}

TEST(BitmapPalette, SixBitShadeKeepsTheTopSixBits) {
    const std::pair<int, int> cases[] = {{0, 0},     {3, 0},     {4, 4},     {128, 130},
                                         {130, 130}, {131, 130}, {192, 195}, {255, 255}};
    for (const auto& [value, shade] : cases) {
        EXPECT_EQ(SixBitShade(static_cast<std::uint8_t>(value)), shade) << value;
    }
}

TEST(BitmapPalette, FixedEntriesWhereTheEpa2ConversionPutsThem) {
    constexpr Rgb Grey{130, 130, 130};
    constexpr Rgb Red{255, 0, 0};
    constexpr Rgb Blue{0, 0, 255};
    RgbImage colours = FlatPicture(136, 84, Black);
    PaintRect(colours, 0, 0, 20, 20, Red);
    PaintRect(colours, 20, 0, 20, 20, Blue);
    PaintRect(colours, 40, 0, 20, 20, {255, 140, 0}); // green 140 has no 6-bit shade: 142
    RgbImage greyAndWhite = FlatPicture(136, 84, Grey);
    PaintRect(greyAndWhite, 0, 0, 68, 84, White);
    RgbImage mostlyBlack = FlatPicture(136, 126, Black);
    PaintRect(mostlyBlack, 0, 0, 3, 3, {0, 200, 0});
    // The grey and white the conversion fixes in entries 7 and 15; the
    // picture's colours in 6 bits, darkest first, the lightest in entry 8,
    // which must not be black (the conversion would make it blue); black
    // where unneeded.
    constexpr Rgb O = Black;
    const std::pair<RgbImage, std::array<Rgb, 16>> cases[] = {
        {colours, {O, O, O, O, O, O, O, Grey, {255, 142, 0}, O, O, O, O, Blue, Red, White}},
        {greyAndWhite, {O, O, O, O, O, O, O, Grey, White, O, O, O, O, O, O, White}},
        {FlatPicture(136, 84, Black), {O, O, O, O, O, O, O, Grey, White, O, O, O, O, O, O, White}},
        // 3 is nearer 4 than 0 in 6 bits, so red is not black.
        {FlatPicture(136, 84, {3, 2, 1}),
         {O, O, O, O, O, O, O, Grey, {4, 0, 0}, O, O, O, O, O, O, White}},
        {mostlyBlack, {O, O, O, O, O, O, O, Grey, {0, 199, 0}, O, O, O, O, O, O, White}},
    };
    for (const auto& [picture, expected] : cases) {
        const std::array<Rgb, 16> palette = ChooseBitmapPalette(test::Swatches(picture));
        EXPECT_EQ(palette, expected) << int{expected[8].r} << "," << int{expected[8].g};
        EXPECT_EQ(ShownByEpa2(palette), palette) << int{expected[8].r} << "," << int{expected[8].g};
    }
}

} // namespace
} // namespace kalvero
