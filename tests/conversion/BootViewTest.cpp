#include "conversion/BootView.h"

#include "conversion/Epa2Image.h"
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
    file[0] = 17, file[1] = 9;
    for (int cell = 0; cell < 153; ++cell) {
        file[static_cast<std::size_t>(2 + cell)] =
            static_cast<std::uint8_t>(first + cell < 256 ? first + cell : 15);
    }
    return file;
}

RgbImage Render(const Bytes& file, PreviewView view, int scale = 1) {
    const FileResult<RgbImage> image = RenderPreview(file, {scale, false, view});
    EXPECT_TRUE(image.ok()) << image.error().reason.english();
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

// A 16-colour EPA 2.0 image of index 1 throughout; entry 0 is (0, 0, 85),
// entry 1 (0, 0, 170), entry 7 (255, 0, 0), entry 15 (0, 255, 0).
Bytes Epa2(int width, int height) {
    Epa2Picture picture{width, height, 4, Bytes(static_cast<std::size_t>(width * height), 1),
                        Bytes(48, 0)};
    picture.palette6[0] = 21;
    picture.palette6[3] = 42;
    picture.palette6[3 * 7 + 2] = 63;
    picture.palette6[3 * 15 + 1] = 63;
    return WriteEpa2(picture);
}
constexpr Rgb Entry0{0, 0, 85};
constexpr Rgb Entry1{0, 0, 170};

TEST(BootScreen, LogoAtTopRightOfItsScreen) {
    Bytes wide = test::Epa2Image256(700, 500); // index 0 throughout, made light grey
    std::fill_n(wide.end() - 768, 3, 42);
    const Rgb grey{170, 170, 170};
    const Rgb white{255, 255, 255};
    // The screen's height, the logo's colour and pixels, the screen's colour
    // and pixels of the screen around the logo.
    using Pixels = std::vector<std::pair<int, int>>;
    const std::tuple<Bytes, int, Rgb, Pixels, Rgb, Pixels> cases[] = {
        {Logo(300, 0xFF), 350, white, {{504, 0}, {639, 125}}, Black, {{503, 0}, {504, 126}}},
        {Epa2(136, 84), 480, Entry1, {{504, 0}, {639, 83}}, Entry0, {{503, 0}, {504, 84}}},
        {wide, 480, grey, {{0, 300}, {639, 479}}, grey, {}}, // cut off
        // The full-screen logo's last 16 rows are the bottom line's.
        {Epa2(640, 480), 480, Entry1, {{0, 0}, {639, 463}}, Entry0, {{639, 464}, {639, 479}}},
    };
    for (const auto& [file, height, colour, logo, screen, around] : cases) {
        for (const int scale : {1, 2}) {
            const RgbImage image = Render(file, PreviewView::BootScreen, scale);
            ASSERT_EQ(image.width, 640 * scale);
            ASSERT_EQ(image.height, height * scale);
            for (const auto& [x, y] : logo) {
                EXPECT_EQ(image.at(x * scale, y * scale), colour) << x << "," << y;
            }
            for (const auto& [x, y] : around) {
                EXPECT_EQ(image.at(x * scale, y * scale), screen) << x << "," << y;
            }
        }
    }
    // A BIOS that shows the whole logo draws no line over it.
    const FileResult<RgbImage> whole =
        RenderPreview(Epa2(640, 480), {1, false, PreviewView::BootScreen, false});
    EXPECT_EQ(whole.value().at(639, 479), Entry1);
    EXPECT_EQ(whole.value().at(0, 479), Entry1);
}

// In text mode light grey and white; an EPA 2.0 logo's palette gives the text
// its entries 7 and 15.
TEST(BootScreen, PowerOnTextOnTheLeft) {
    // The P of the first and last lines.
    const std::string p[] = {"........", "........", "######..", ".##..##.", ".##..##.",
                             ".##..##.", ".#####..", ".##.....", ".##.....", ".##.....",
                             "####....", "........", "........", "........"};
    const Rgb white{255, 255, 255};
    const Rgb grey{170, 170, 170};
    const Rgb red{255, 0, 0};
    const Rgb green{0, 255, 0};
    // Where the first and the last line's glyphs begin, and their colours.
    const std::tuple<Bytes, int, int, Rgb, Rgb> cases[] = {
        {Logo(0, 0), 0, 336, white, grey},     // text mode: 25 lines of 14
        {Epa2(136, 84), 1, 465, green, red},   // 30 lines of 16, a blank line above each glyph
        {Epa2(640, 480), 1, 465, Entry1, red}, // the logo over the first line, the last over it
    };
    for (const auto& [file, first, last, firstColour, lastColour] : cases) {
        const RgbImage image = Render(file, PreviewView::BootScreen);
        for (int line = 0; line < 14; ++line) {
            std::string top;
            std::string bottom;
            for (int x = 0; x < 8; ++x) {
                top += image.at(x, first + line) == firstColour ? '#' : '.';
                bottom += image.at(x, last + line) == lastColour ? '#' : '.';
            }
            EXPECT_EQ(top, firstColour == Entry1 ? "########" : p[line]) << line;
            EXPECT_EQ(bottom, p[line]) << line;
        }
    }
}

} // namespace
} // namespace kalvero
