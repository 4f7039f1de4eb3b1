#include "conversion/import/BitmapPalette.h"

#include "conversion/Epa2Image.h"
#include "conversion/import/TestPictures.h"

#include <algorithm>
#include <gtest/gtest.h>

namespace kalvero {
namespace {

using test::Black;
using test::FlatPicture;
using test::PaintRect;
using test::White;

constexpr Rgb Grey130{130, 130, 130};

// What the EPA 2.0 image shows of each entry when the palette goes through
// the bitmap-to-EPA 2.0 conversion.
std::array<Rgb, 16> ShownByEpa2(const std::array<Rgb, 16>& palette, bool tall) {
    std::vector<std::uint8_t> bytes;
    for (const Rgb& entry : palette) {
        bytes.insert(bytes.end(), {entry.b, entry.g, entry.r, 0});
    }
    const std::vector<std::uint8_t> epa2 =
        BuildEpa2Data(bytes, std::vector<std::uint8_t>(68 * 126, 0), tall);
    const Epa2Picture picture = ParseEpa2(epa2).value();
    std::array<Rgb, 16> shown{};
    for (int i = 0; i < 16; ++i) {
        shown[static_cast<std::size_t>(i)] = Epa2Colour(picture, i);
    }
    return shown;
}

bool Holds(const std::array<Rgb, 16>& palette, Rgb colour) {
    return std::find(palette.begin(), palette.end(), colour) != palette.end();
}

TEST(BitmapPalette, SixBitShadeKeepsTheTopSixBits) {
    const std::pair<int, int> cases[] = {{0, 0},     {3, 0},     {4, 4},     {128, 130},
                                         {130, 130}, {131, 130}, {192, 195}, {255, 255}};
    for (const auto& [value, shade] : cases) {
        EXPECT_EQ(SixBitShade(static_cast<std::uint8_t>(value)), shade) << value;
    }
}

TEST(BitmapPalette, FixedEntriesWhereTheEpa2ConversionPutsThem) {
    RgbImage picture = FlatPicture(136, 84, Black);
    PaintRect(picture, 0, 0, 20, 20, {255, 0, 0});
    PaintRect(picture, 20, 0, 20, 20, {0, 0, 255});
    PaintRect(picture, 40, 0, 20, 20, {255, 140, 0}); // green 140 has no 6-bit shade: 142
    const std::array<Rgb, 16> palette = ChooseBitmapPalette(test::Swatches(picture));

    EXPECT_EQ(palette[7], Grey130);
    EXPECT_EQ(palette[15], White);
    EXPECT_EQ(palette[8], (Rgb{255, 142, 0})); // the lightest of the picture's own colours
    EXPECT_EQ(palette[0], Black);
    for (const Rgb colour : {Rgb{255, 0, 0}, Rgb{0, 0, 255}}) {
        EXPECT_TRUE(Holds(palette, colour)) << int{colour.r} << "," << int{colour.b};
    }
    EXPECT_EQ(ShownByEpa2(palette, false), palette);
}

TEST(BitmapPalette, EntryEightIsNeverBlackSoNeverTurnsBlue) {
    struct Case {
        const char* what;
        RgbImage picture;
    };
    RgbImage mostlyBlack = FlatPicture(136, 126, Black);
    PaintRect(mostlyBlack, 0, 0, 3, 3, {0, 200, 0});
    const Case cases[] = {
        {"all black", FlatPicture(136, 84, Black)},
        {"all nearly black (each byte below 4)", FlatPicture(136, 84, {3, 2, 1})},
        {"black with a little green", mostlyBlack},
        {"busy", test::BusyPicture(136, 126)},
    };
    for (const Case& c : cases) {
        const std::array<Rgb, 16> palette = ChooseBitmapPalette(test::Swatches(c.picture));
        const Rgb entry8 = palette[8];
        EXPECT_FALSE(entry8.r < 4 && entry8.g < 4 && entry8.b < 4) << c.what;
        EXPECT_EQ(ShownByEpa2(palette, c.picture.height == 126), palette) << c.what;
    }
}

TEST(BitmapPalette, GreyAndWhiteOfThePictureGoToTheFixedEntries) {
    RgbImage picture = FlatPicture(136, 84, Grey130);
    PaintRect(picture, 0, 0, 68, 84, White);
    const std::array<Rgb, 16> palette = ChooseBitmapPalette(test::Swatches(picture));
    // Nothing else is needed: the other entries are black but entry 8.
    for (std::size_t i = 0; i < 16; ++i) {
        if (i != 7 && i != 8 && i != 15) {
            EXPECT_EQ(palette[i], Black) << i;
        }
    }
}

} // namespace
} // namespace kalvero
