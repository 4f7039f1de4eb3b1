#include "conversion/BootView.h"

#include "conversion/Epa2TestFile.h"
#include "conversion/PreviewImage.h"

#include <gtest/gtest.h>
#include <ostream>

namespace kalvero {

void PrintTo(const Rgb& colour, std::ostream* os) {
    *os << "(" << int(colour.r) << ", " << int(colour.g) << ", " << int(colour.b) << ")";
}

namespace {

using Bytes = std::vector<std::uint8_t>;

// The standard VGA text colours.
const Rgb Vga[16] = {
    {0, 0, 0},     {0, 0, 170},     {0, 170, 0},    {0, 170, 170},   {170, 0, 0},   {170, 0, 170},
    {170, 85, 0},  {170, 170, 170}, {85, 85, 85},   {85, 85, 255},   {85, 255, 85}, {85, 255, 255},
    {255, 85, 85}, {255, 85, 255},  {255, 255, 85}, {255, 255, 255},
};
constexpr Rgb Black{0, 0, 0};

// A tall version-1 logo: cell c has attribute first + c (up to 255, then 15),
// every glyph line the byte glyph.
Bytes Logo(int first, std::uint8_t glyph) {
    Bytes file(2367, glyph);
    for (int cell = 0; cell < 153; ++cell) {
        file[static_cast<std::size_t>(2 + cell)] =
            static_cast<std::uint8_t>(first + cell < 256 ? first + cell : 15);
    }
    return file;
}

RgbImage Render(const Bytes& file, PreviewView view, int scale = 1) {
    const FileResult<RgbImage> image = RenderPreview(file, {scale, false, view});
    EXPECT_TRUE(image.ok()) << image.error().reason;
    return image.ok() ? image.value() : RgbImage{};
}

TEST(BootView, EachAttributeShowsForegroundOnBackgroundInVgaColours) {
    const RgbImage logos[] = {Render(Logo(0, 0xA4), PreviewView::Boot),
                              Render(Logo(153, 0xA4), PreviewView::Boot)};
    ASSERT_EQ(logos[1].width * logos[1].height, 136 * 126);
    const auto pixel = [&](int attribute, int x, int line) {
        const int cell = attribute % 153;
        return logos[attribute / 153].at(8 * (cell % 17) + x, 14 * (cell / 17) + line);
    };
    const std::string foreground = "#.#..#.."; // 0xA4, leftmost pixel first
    for (int attribute = 0; attribute < 256; ++attribute) {
        for (int x = 0; x < 8; ++x) {
            const bool on = foreground[static_cast<std::size_t>(x)] == '#';
            EXPECT_EQ(pixel(attribute, x, x + 6), Vga[on ? attribute % 16 : attribute / 16])
                << attribute << " " << x;
        }
    }
}

TEST(BootView, Epa2PaletteWidenedFromSixBits) {
    const Bytes image = test::Epa2NineByOne();
    const Rgb expected[] = {{0, 0, 0},       {255, 255, 0},  {0, 85, 170},
                            {130, 130, 130}, {12, 8, 4},     {255, 0, 255},
                            {16, 32, 65},    {255, 170, 85}, {4, 0, 0}};
    for (const PreviewView view : {PreviewView::Editor, PreviewView::Boot}) {
        const RgbImage picture = Render(image, view);
        ASSERT_EQ(picture.width * picture.height, 9);
        for (int x = 0; x < 9; ++x) {
            EXPECT_EQ(picture.at(x, 0), expected[x]) << x;
        }
    }
}

TEST(BootScreen, LogoAtTopRightOfItsScreen) {
    Bytes wide = test::Epa2Image256(700, 500); // index 0 throughout, made light grey
    std::fill_n(wide.end() - 768, 3, 42);
    const Rgb grey{170, 170, 170};
    const Rgb white{255, 255, 255};
    // The screen's height, the logo's colour, pixels of the logo, pixels left black.
    using Pixels = std::vector<std::pair<int, int>>;
    const std::tuple<Bytes, int, Rgb, Pixels, Pixels> cases[] = {
        {Logo(300, 0xFF), 350, white, {{504, 0}, {639, 125}}, {{503, 0}, {504, 126}}},
        {wide, 480, grey, {{0, 300}, {639, 479}}, {}}, // cut off
    };
    for (const auto& [file, height, colour, logo, black] : cases) {
        for (const int scale : {1, 2}) {
            const RgbImage image = Render(file, PreviewView::BootScreen, scale);
            ASSERT_EQ(image.width, 640 * scale);
            ASSERT_EQ(image.height, height * scale);
            for (const auto& [x, y] : logo) {
                EXPECT_EQ(image.at(x * scale, y * scale), colour) << x << "," << y;
            }
            for (const auto& [x, y] : black) {
                EXPECT_EQ(image.at(x * scale, y * scale), Black) << x << "," << y;
            }
        }
    }
}

TEST(BootScreen, PowerOnTextOnTheLeft) {
    // The P of the first and last lines.
    const std::string p[] = {"........", "........", "######..", ".##..##.", ".##..##.",
                             ".##..##.", ".#####..", ".##.....", ".##.....", ".##.....",
                             "####....", "........", "........", "........"};
    const Rgb white{255, 255, 255};
    const Rgb grey{170, 170, 170};
    // Where the first and the last line's glyphs begin.
    const std::tuple<Bytes, int, int> cases[] = {
        {Logo(0, 0), 0, 336},                  // text mode: 25 lines of 14
        {test::Epa2Image256(136, 84), 1, 465}, // 30 lines of 16, a blank line above each glyph
    };
    for (const auto& [file, first, last] : cases) {
        const RgbImage image = Render(file, PreviewView::BootScreen);
        for (int line = 0; line < 14; ++line) {
            std::string top;
            std::string bottom;
            for (int x = 0; x < 8; ++x) {
                top += image.at(x, first + line) == white ? '#' : '.';
                bottom += image.at(x, last + line) == grey ? '#' : '.';
            }
            EXPECT_EQ(top, p[line]) << line;
            EXPECT_EQ(bottom, p[line]) << line;
        }
    }
}

} // namespace
} // namespace kalvero
