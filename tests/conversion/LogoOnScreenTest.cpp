#include "conversion/LogoOnScreen.h"

#include "conversion/Epa2Image.h"
#include "conversion/FileKind.h"
#include "conversion/PpmImage.h"

#include <gtest/gtest.h>
#include <string>

namespace kalvero {
namespace {

using Bytes = std::vector<std::uint8_t>;
constexpr Rgb QemuRed{255, 87, 87};

// A short version-1 logo, every cell red on black (attribute 0x0C) but cell 0,
// black on light red (0xC0), each glyph line 0xA5.
Bytes ShortLogo() {
    Bytes file(1602, 0);
    file[0] = 17;
    file[1] = 6;
    for (std::size_t cell = 0; cell < 102; ++cell) {
        file[2 + cell] = cell == 0 ? 0xC0 : 0x0C;
        for (std::size_t line = 0; line < 14; ++line) {
            file[2 + 102 + cell * 14 + line] = 0xA5;
        }
    }
    return file;
}

// The text screen as a VGA draws ShortLogo from text column 60, row `row`:
// 9 x 16 characters, the glyph's bits from the left, lit in QEMU's own red;
// the ninth column and the two rows under the glyph lit too, as line-drawing
// characters and the font may show them.
RgbImage TextScreen(int row) {
    RgbImage screen{720, 400, std::vector<Rgb>(720 * 400)};
    for (int cellRow = 0; cellRow < 6; ++cellRow) {
        for (int column = 0; column < 17; ++column) {
            const bool inverse = cellRow == 0 && column == 0;
            for (int y = 0; y < 16; ++y) {
                for (int x = 0; x < 9; ++x) {
                    const bool set = y >= 14 || x == 8 || ((0xA5 >> (7 - x)) & 1) != 0;
                    const int sx = (60 + column) * 9 + x;
                    const int sy = (row + cellRow) * 16 + y;
                    screen.pixels[static_cast<std::size_t>(sy * 720 + sx)] =
                        set != inverse ? QemuRed : Rgb{0, 0, 0};
                }
            }
        }
    }
    return screen;
}

// A 16-colour EPA 2.0 image of 24 x 10: a red diagonal stripe on black; and
// the 640 x 480 screen with it at (x, y).
Epa2Picture Stripe() {
    Epa2Picture picture{24, 10, 4, Bytes(240, 0), Bytes(48, 0)};
    for (int i = 0; i < 240; ++i) {
        picture.indices[static_cast<std::size_t>(i)] = (i % 24) / 3 == (i / 24) % 8 ? 1 : 0;
    }
    picture.palette6[5] = 63; // entry 1: blue, green, red
    return picture;
}

RgbImage GraphicsScreen(const Epa2Picture& picture, int left, int top) {
    RgbImage screen{640, 480, std::vector<Rgb>(640 * 480)};
    for (int y = 0; y < picture.height; ++y) {
        for (int x = 0; x < picture.width; ++x) {
            if (picture.indices[static_cast<std::size_t>(y * picture.width + x)] != 0) {
                screen.pixels[static_cast<std::size_t>((top + y) * 640 + left + x)] = QemuRed;
            }
        }
    }
    return screen;
}

std::optional<ScreenSpot> Find(const RgbImage& screen, const Bytes& file) {
    const std::uint8_t* head = file.data();
    return FindLogoOnScreen(screen, ClassifyFile(file.size(), {head, 8}), file);
}

TEST(LogoOnScreen, FindsAVersion1LogoInTextModeOnEitherRow) {
    for (const int row : {0, 1}) {
        const std::optional<ScreenSpot> spot = Find(TextScreen(row), ShortLogo());
        ASSERT_TRUE(spot) << "row " << row;
        EXPECT_EQ(spot->x, 540);
        EXPECT_EQ(spot->y, row * 16);
    }
}

TEST(LogoOnScreen, RefusesScreensWithoutTheLogo) {
    Bytes other = ShortLogo();
    other[2 + 102 + 5 * 14 + 3] = 0xA4; // one pixel of cell 5
    RgbImage moved = TextScreen(2);
    const Epa2Picture stripe = Stripe();
    RgbImage graphics = GraphicsScreen(stripe, 480, 16);
    graphics.pixels[static_cast<std::size_t>(16 * 640 + 480)] = {};
    struct Case {
        const char* name;
        RgbImage screen;
        Bytes logo;
    } cases[] = {
        {"one glyph pixel other", TextScreen(1), other},
        {"three text rows down", moved, ShortLogo()},
        {"a blank text screen", RgbImage{720, 400, std::vector<Rgb>(720 * 400)}, ShortLogo()},
        {"an EPA 2.0 logo on a text screen", TextScreen(1), WriteEpa2(stripe)},
        {"a version-1 logo on a graphics screen", graphics, ShortLogo()},
        {"one lit pixel of the EPA 2.0 logo dark", graphics, WriteEpa2(stripe)},
    };
    for (const Case& test : cases) {
        EXPECT_FALSE(Find(test.screen, test.logo)) << test.name;
    }
}

TEST(LogoOnScreen, FindsAnEpa2LogoNearWhereBiosesDrawIt) {
    const Epa2Picture stripe = Stripe();
    for (const auto& [x, y] : {std::pair{480, 16}, std::pair{460, 0}, std::pair{505, 40}}) {
        const std::optional<ScreenSpot> spot =
            Find(GraphicsScreen(stripe, x, y), WriteEpa2(stripe));
        ASSERT_TRUE(spot) << x << "," << y;
        EXPECT_EQ(spot->x, x);
        EXPECT_EQ(spot->y, y);
    }
}

TEST(PpmImage, ReadsScreendumpsAndRefusesOtherFiles) {
    const std::string good("P6 2 1\n255\n\x01\x02\x03\xff\x80\x00", 18);
    const FileResult<RgbImage> image =
        ReadPpm({reinterpret_cast<const std::uint8_t*>(good.data()), good.size()});
    ASSERT_TRUE(image);
    EXPECT_EQ(image.value().width, 2);
    EXPECT_EQ(image.value().at(1, 0), (Rgb{255, 128, 0}));
    for (const std::string bad : {"P5 2 1\n255\n123456", "P6 2 1\n65535\n123456",
                                  "P6 2 1\n255\n12345", "P6 2\n255\n123456", ""}) {
        EXPECT_FALSE(ReadPpm({reinterpret_cast<const std::uint8_t*>(bad.data()), bad.size()}))
            << bad;
    }
}

} // namespace
} // namespace kalvero
