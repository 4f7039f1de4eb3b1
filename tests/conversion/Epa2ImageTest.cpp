#include "conversion/Epa2Image.h"

#include <gtest/gtest.h>
#include <random>
#include <vector>

namespace kalvero {
namespace {

struct ColourBitmap {
    std::vector<std::uint8_t> palette = std::vector<std::uint8_t>(64, 0);
    std::vector<std::uint8_t> pixels;
    int height;

    explicit ColourBitmap(int rows)
        : pixels(static_cast<std::size_t>(68 * rows), 0), height(rows) {}

    // (x, y) from the top left; the bitmap stores its bottom row first.
    void SetPixel(int x, int y, int index) {
        std::uint8_t& packed = pixels[static_cast<std::size_t>((height - 1 - y) * 68 + x / 2)];
        packed = x % 2 == 0 ? static_cast<std::uint8_t>((packed & 0x0F) | index << 4)
                            : static_cast<std::uint8_t>((packed & 0xF0) | index);
    }
    void SetEntry(int entry, int blue, int green, int red) {
        palette[static_cast<std::size_t>(4 * entry)] = static_cast<std::uint8_t>(blue);
        palette[static_cast<std::size_t>(4 * entry + 1)] = static_cast<std::uint8_t>(green);
        palette[static_cast<std::size_t>(4 * entry + 2)] = static_cast<std::uint8_t>(red);
        palette[static_cast<std::size_t>(4 * entry + 3)] = 99;
    }
    std::vector<std::uint8_t> Build() const {
        return BuildEpa2Data(palette, pixels, height == 126);
    }
};

std::vector<std::uint8_t> Slice(const std::vector<std::uint8_t>& bytes, std::size_t at,
                                std::size_t length) {
    return {bytes.begin() + static_cast<long>(at), bytes.begin() + static_cast<long>(at + length)};
}

TEST(BuildEpa2Data, SizesSignatureAndMarkers) {
    struct Case {
        int height;
        std::size_t length;
        std::size_t marker;
    };
    for (const Case& c : {Case{84, 5772, 5720}, Case{126, 8628, 8576}}) {
        const std::vector<std::uint8_t> image = ColourBitmap(c.height).Build();
        ASSERT_EQ(image.size(), c.length);
        EXPECT_EQ(Slice(image, 0, 8),
                  (std::vector<std::uint8_t>{65, 87, 66, 77, 136, 0,
                                             static_cast<std::uint8_t>(c.height), 0}));
        EXPECT_EQ(Slice(image, c.marker, 4), (std::vector<std::uint8_t>{82, 71, 66, 32}));
    }
}

TEST(BuildEpa2Data, PaletteIsScaledToSixBitsWithThreeFixedEntries) {
    ColourBitmap bitmap(84);
    bitmap.SetEntry(0, 255, 128, 3); // -> 63, 32, 0
    bitmap.SetEntry(7, 10, 20, 30);  // always grey 32
    bitmap.SetEntry(15, 0, 0, 0);    // always 63
    bitmap.SetEntry(14, 4, 7, 8);    // -> 1, 1, 2
    const std::size_t palette = 5724;

    const std::pair<std::vector<int>, std::vector<std::uint8_t>> entry8Cases[] = {
        {{0, 0, 0}, {63, 0, 0}}, // black becomes 63, 0, 0
        {{3, 3, 3}, {63, 0, 0}}, // scales to black
        {{4, 0, 0}, {1, 0, 0}},  // not black after scaling: kept
        {{0, 0, 255}, {0, 0, 63}},
    };
    for (const auto& [entry8, expected] : entry8Cases) {
        bitmap.SetEntry(8, entry8[0], entry8[1], entry8[2]);
        const std::vector<std::uint8_t> image = bitmap.Build();
        EXPECT_EQ(Slice(image, palette, 3), (std::vector<std::uint8_t>{63, 32, 0}));
        EXPECT_EQ(Slice(image, palette + 21, 3), (std::vector<std::uint8_t>{32, 32, 32}));
        EXPECT_EQ(Slice(image, palette + 24, 3), expected);
        EXPECT_EQ(Slice(image, palette + 42, 3), (std::vector<std::uint8_t>{1, 1, 2}));
        EXPECT_EQ(Slice(image, palette + 45, 3), (std::vector<std::uint8_t>{63, 63, 63}));
    }
}

TEST(BuildEpa2Data, EachColourBitGoesToItsPlane) {
    struct Case {
        int index;
        std::vector<int> planes;
    };
    const Case cases[] = {{15, {0, 1, 2, 3}}, {0, {}}, {5, {0, 2}}, {8, {3}}, {6, {1, 2}}};
    for (const Case& c : cases) {
        ColourBitmap bitmap(126);
        bitmap.SetPixel(0, 0, c.index); // top-left: row 0, bit 7 of each plane's first byte
        bitmap.SetPixel(135, 125,
                        c.index); // bottom-right: last row, bit 0 of each plane's last byte
        const std::vector<std::uint8_t> image = bitmap.Build();
        for (int plane = 0; plane < 4; ++plane) {
            const bool set = std::find(c.planes.begin(), c.planes.end(), plane) != c.planes.end();
            EXPECT_EQ(image[static_cast<std::size_t>(8 + plane * 17)], set ? 0x80 : 0)
                << "index " << c.index << " plane " << plane;
            EXPECT_EQ(image[static_cast<std::size_t>(8 + 125 * 68 + plane * 17 + 16)], set ? 1 : 0)
                << "index " << c.index << " plane " << plane;
        }
    }
}

TEST(Epa2Image, ColourBitmapRoundTripKeepsEveryByte) {
    std::mt19937 random(1234);
    for (const int height : {84, 126}) {
        ColourBitmap bitmap(height);
        for (std::uint8_t& byte : bitmap.pixels) {
            byte = static_cast<std::uint8_t>(random());
        }
        for (int entry = 0; entry < 16; ++entry) {
            bitmap.SetEntry(entry, static_cast<int>(random() % 256),
                            static_cast<int>(random() % 256), static_cast<int>(random() % 256));
        }
        const std::vector<std::uint8_t> image = bitmap.Build();
        const FileResult<Epa2Picture> picture = ParseEpa2(image);
        ASSERT_TRUE(picture.ok()) << picture.error().reason;
        EXPECT_EQ(picture.value().width, 136);
        EXPECT_EQ(picture.value().height, height);
        EXPECT_EQ(picture.value().bitsPerPixel, 4);

        const FileResult<std::vector<std::uint8_t>> bmp = Epa2ToColourBmp(picture.value());
        ASSERT_TRUE(bmp.ok());
        ASSERT_EQ(bmp.value().size(), height == 84 ? 5830U : 8686U);
        const std::vector<std::uint8_t>& file = bmp.value();
        const std::vector<std::uint8_t> again =
            BuildEpa2Data(Slice(file, 54, 64), Slice(file, 118, file.size() - 118), height == 126);
        EXPECT_EQ(again, image) << height;
    }
}

TEST(Epa2Image, ReadsThe256ColourVariant) {
    // 2 x 1 pixels: indices 0 and 255; palette entry 255 is blue 63, green 0, red 32.
    std::vector<std::uint8_t> bytes = {65, 87, 66, 77, 2, 0, 1, 0, 0, 255, 82, 71, 66, 32};
    bytes.resize(bytes.size() + 768, 0);
    bytes[14 + 765] = 63;
    bytes[14 + 767] = 32;
    const FileResult<Epa2Picture> picture = ParseEpa2(bytes);
    ASSERT_TRUE(picture.ok()) << picture.error().reason;
    EXPECT_EQ(picture.value().bitsPerPixel, 8);
    EXPECT_EQ(picture.value().indices, (std::vector<std::uint8_t>{0, 255}));
    EXPECT_EQ(Epa2Colour(picture.value(), 255), (Rgb{130, 0, 255}));
    EXPECT_FALSE(Epa2ToColourBmp(picture.value()).ok());
}

TEST(Epa2Image, RefusesWhatIsNotAnEpa2Image) {
    const std::vector<std::vector<std::uint8_t>> cases = {
        {},
        {65, 87, 66},
        {65, 87, 66, 77, 0, 0, 1, 0},
        {65, 87, 66, 77, 136, 0, 84, 0, 1, 2, 3},
        std::vector<std::uint8_t>(5772, 0),
    };
    for (const std::vector<std::uint8_t>& bytes : cases) {
        const FileResult<Epa2Picture> picture = ParseEpa2(bytes);
        ASSERT_FALSE(picture.ok()) << bytes.size();
        EXPECT_EQ(picture.error().problem, FileProblem::NotAccepted);
    }
}

} // namespace
} // namespace kalvero
