#include "conversion/Epa2Image.h"

#include "conversion/Epa2TestFile.h"

#include <gtest/gtest.h>
#include <random>
#include <tuple>

namespace kalvero {
namespace {

using Bytes = std::vector<std::uint8_t>;

Bytes Slice(const Bytes& bytes, std::size_t at, std::size_t length) {
    return {bytes.begin() + static_cast<long>(at), bytes.begin() + static_cast<long>(at + length)};
}

TEST(BuildEpa2Data, LayoutPaletteFixesAndPlanes) {
    // Tall, blue, green, red of palette entry 8, and the 6-bit entry it becomes.
    const std::tuple<bool, Bytes, Bytes> cases[] = {
        {false, {0, 0, 0}, {63, 0, 0}}, // black becomes 63, 0, 0
        {true, {3, 3, 3}, {63, 0, 0}},  // so does what scales to black
        {false, {4, 0, 0}, {1, 0, 0}},  // kept
    };
    for (const auto& [tall, entry8, expected8] : cases) {
        const std::size_t rows = tall ? 126 : 84;
        Bytes palette{255, 128, 3, 0}; // entry 0: 63, 32, 0
        palette.resize(28);
        palette.insert(palette.end(), {10, 20, 30, 0}); // 7: always grey 32
        palette.insert(palette.end(), entry8.begin(), entry8.end());
        palette.resize(64);             // 15 black: always white
        Bytes pixels(68 * rows, 0);     // bottom row first
        pixels[68 * (rows - 1)] = 0xF0; // top-left pixel: index 15
        pixels[67] = 0x05;              // bottom-right pixel: index 5
        const Bytes image = BuildEpa2Data(palette, pixels, tall);
        ASSERT_EQ(image.size(), tall ? 8628U : 5772U);
        EXPECT_EQ(Slice(image, 0, 8), (Bytes{'A', 'W', 'B', 'M', 136, 0, std::uint8_t(rows), 0}));
        const std::size_t marker = 8 + 68 * rows;
        EXPECT_EQ(Slice(image, marker, 7), (Bytes{'R', 'G', 'B', ' ', 63, 32, 0}));
        EXPECT_EQ(Slice(image, marker + 25, 6),
                  (Bytes{32, 32, 32, expected8[0], expected8[1], expected8[2]}));
        EXPECT_EQ(Slice(image, marker + 49, 3), (Bytes{63, 63, 63}));
        // Top row first, each row four planes of 17 bytes, bit 0 of the index in the first.
        for (std::size_t plane = 0; plane < 4; ++plane) {
            EXPECT_EQ(image[8 + 17 * plane], 0x80) << plane;
            EXPECT_EQ(image[marker - 68 + 17 * plane + 16], plane % 2 == 0 ? 1 : 0) << plane;
        }
    }
}

TEST(Epa2Image, AnySizeWithPlanesAndBitmapRowsPaddedToWholeBytes) {
    const Bytes nine = test::Epa2NineByOne();
    const Epa2Picture picture = ParseEpa2(nine).value();
    EXPECT_EQ(WriteEpa2(picture), nine);
    const FileResult<Bytes> bmp = Epa2ToColourBmp(picture);
    ASSERT_TRUE(bmp.ok() && bmp.value().size() == 118U + 8);
    EXPECT_EQ(bmp.value()[18], 9); // the width
    EXPECT_EQ(Slice(bmp.value(), 58, 4),
              (Bytes{0, 255, 255, 0})); // entry 1: blue 0, green and red 63
    EXPECT_EQ(Slice(bmp.value(), 118, 8), (Bytes{0x01, 0x23, 0x45, 0x67, 0x80, 0, 0, 0}));

    // Without "RGB " and the palette: the standard VGA colours.
    const Bytes bare = Slice(nine, 0, 16);
    const Epa2Picture standard = ParseEpa2(bare).value();
    EXPECT_EQ(standard.indices, picture.indices);
    EXPECT_EQ(WriteEpa2(standard), bare);
    EXPECT_EQ(Epa2Colour(standard, 6), (Rgb{170, 85, 0}));
    EXPECT_EQ(Epa2Colour(standard, 9), (Rgb{85, 85, 255}));
}

TEST(Epa2Image, ColourBitmapRoundTripKeepsEveryByte) {
    std::mt19937 random(1234);
    for (const bool tall : {false, true}) {
        Bytes bitmap(tall ? 64 + 68 * 126 : 64 + 68 * 84); // palette, then the pixels
        std::generate(bitmap.begin(), bitmap.end(), [&] { return std::uint8_t(random()); });
        const Bytes image =
            BuildEpa2Data(std::span(bitmap).first(64), std::span(bitmap).subspan(64), tall);
        const FileResult<Epa2Picture> picture = ParseEpa2(image);
        ASSERT_TRUE(picture.ok()) << picture.error().reason.english();
        const FileResult<Bytes> bmp = Epa2ToColourBmp(picture.value());
        ASSERT_TRUE(bmp.ok() && bmp.value().size() == 54 + bitmap.size());
        const std::span file(bmp.value());
        EXPECT_EQ(BuildEpa2Data(file.subspan(54, 64), file.subspan(118), tall), image);
    }
}

} // namespace
} // namespace kalvero
