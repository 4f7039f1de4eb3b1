#include "cli/CliRunner.h"
#include "cli/CliTestFiles.h"

namespace kalvero::test {
namespace {

using Colour = std::array<int, 3>;

constexpr Colour Black{0, 0, 0};
constexpr Colour GridGrey{224, 224, 224};
constexpr Colour DarkRed{128, 0, 0};  // palette index 4
constexpr Colour Yellow{255, 255, 0}; // palette index 14

struct Probe {
    int x;
    int y;
    Colour colour;
};

struct RenderCase {
    QStringList options;
    std::string input;
    int width;
    int height;
    std::vector<Probe> probes;
};

class Render : public CliTest {
protected:
    // Renders each case's input to out.png and checks its size and probes.
    void expectRenders(const std::vector<RenderCase>& cases) const {
        for (const RenderCase& c : cases) {
            const std::string what = c.options.join(' ').toStdString() + " " + c.input;
            const CliRun result = run(QStringList{"render"} + c.options +
                                      QStringList{QString::fromStdString(c.input), "out.png"});
            ASSERT_EQ(result.exitCode, 0) << what << result.err;
            const QImage image = LoadPng(dir.file("out.png"));
            ASSERT_EQ(image.width(), c.width) << what;
            ASSERT_EQ(image.height(), c.height) << what;
            for (const Probe& p : c.probes) {
                EXPECT_EQ(RgbAt(image, p.x, p.y), p.colour) << what << " at " << p.x << "," << p.y;
            }
        }
    }
};

TEST_F(Render, LogoAsTheCanvasShowsIt) {
    TestLogo tall(true);
    tall.attribute(0) = 4;
    tall.glyph(0, 0) = 0x80; // top-left pixel
    tall.attribute(152) = 14;
    tall.glyph(152, 13) = 0x01; // bottom-right pixel
    tall.attribute(1) = 0x1C;   // above 15: drawn black
    tall.glyph(1, 0) = 0xFF;
    tall.save(dir.file("tall.epa"));
    TestLogo shortLogo(false);
    shortLogo.attribute(101) = 4;
    shortLogo.glyph(101, 13) = 0x01;
    shortLogo.save(dir.file("short.epa"));

    expectRenders({
        {{},
         "tall.epa",
         136,
         126,
         {{0, 0, DarkRed}, {1, 0, Black}, {8, 0, Black}, {135, 125, Yellow}, {134, 125, Black}}},
        {{}, "short.epa", 136, 84, {{135, 83, DarkRed}, {0, 0, Black}}},
        // Cells one pixel apart from (1, 1); gaps and the margin in grey.
        {{"--grid"},
         "tall.epa",
         154,
         136,
         {{0, 0, GridGrey},
          {1, 1, DarkRed},
          {2, 1, Black},
          {9, 1, GridGrey},
          {10, 1, Black},
          {1, 15, GridGrey},
          {152, 134, Yellow},
          {153, 135, GridGrey},
          {153, 134, GridGrey}}},
        {{"--grid"}, "short.epa", 154, 91, {{152, 89, DarkRed}, {152, 90, GridGrey}}},
        {{"--scale", "3"},
         "tall.epa",
         408,
         378,
         {{0, 0, DarkRed},
          {2, 2, DarkRed},
          {3, 0, Black},
          {0, 3, Black},
          {407, 377, Yellow},
          {404, 377, Black}}},
        {{"--scale=2", "--grid"},
         "tall.epa",
         308,
         272,
         {{1, 1, GridGrey},
          {2, 2, DarkRed},
          {3, 3, DarkRed},
          {4, 2, Black},
          {305, 269, Yellow},
          {306, 269, GridGrey}}},
    });
}

TEST_F(Render, Epa2ImagesInTheirOwnPaletteWithoutGrid) {
    TestBitmap bitmap(16, 84);
    bitmap.setEntry(1, 4, 128, 255); // six bits 1, 32, 63 become 4, 130, 255
    bitmap.setPixel(3, 0, 1);
    bitmap.setPixel(0, 83, 7); // entry 7 is always grey 32: 130
    bitmap.save(dir.file("colour.bmp"));
    ASSERT_EQ(run({"bmp2epa", "colour.bmp", "four.epa"}).exitCode, 0);

    std::vector<std::uint8_t> packed = Epa2Image256(3, 2);
    packed[8 + 5] = 200; // pixel (2, 1)
    const std::size_t entry200 = 8 + 6 + 4 + 3 * 200;
    packed[entry200 + 1] = 63; // green
    packed[entry200 + 2] = 16; // red: 16 << 2 | 16 >> 4 = 65
    WriteBytes(dir.file("eight.epa"), packed);

    expectRenders({
        {{"--grid"},
         "four.epa",
         136,
         84,
         {{3, 0, {4, 130, 255}}, {2, 0, Black}, {0, 83, {130, 130, 130}}}},
        {{}, "eight.epa", 3, 2, {{2, 1, {65, 255, 0}}, {1, 1, Black}}},
        {{"--scale", "16"}, "eight.epa", 48, 32, {{47, 31, {65, 255, 0}}, {31, 31, Black}}},
    });
}

TEST_F(Render, BitmapsInTheirOwnPalette) {
    TestBitmap mono(2, 126);
    mono.setEntry(0, 30, 20, 10);
    mono.setEntry(1, 50, 100, 200);
    mono.setPixel(0, 0, 1);
    mono.setPixel(135, 125, 1);
    mono.save(dir.file("mono.bmp"));
    TestBitmap colour(16, 84);
    colour.setEntry(3, 1, 2, 3);
    colour.setEntry(4, 250, 251, 252);
    colour.setPixel(0, 0, 3); // high nibble
    colour.setPixel(1, 0, 4); // low nibble
    colour.setPixel(135, 83, 4);
    colour.save(dir.file("colour.bmp"));

    expectRenders({
        {{"--grid"},
         "mono.bmp",
         136,
         126,
         {{0, 0, {50, 100, 200}}, {1, 0, {30, 20, 10}}, {135, 125, {50, 100, 200}}}},
        {{},
         "colour.bmp",
         136,
         84,
         {{0, 0, {1, 2, 3}}, {1, 0, {250, 251, 252}}, {2, 0, Black}, {135, 83, {250, 251, 252}}}},
    });
}

TEST_F(Render, RefusedFilesMakeNoPicture) {
    WriteBytes(dir.file("wrong.bmp"), std::vector<std::uint8_t>(1000, 0));
    std::vector<std::uint8_t> noMarker = Epa2Image256(3, 2);
    noMarker[8 + 6] = 'X';
    WriteBytes(dir.file("broken.epa"), noMarker);
    const CliRun result = run({"render", "--output-dir", ".", "wrong.bmp", "broken.epa"});
    EXPECT_EQ(result.exitCode, 1);
    EXPECT_EQ(result.err,
              "kalvero-cli: wrong.bmp: wrong size: 1000 bytes (neither an EPA file nor one of the "
              "four accepted bitmaps)\n"
              "kalvero-cli: broken.epa: EPA 2.0 image of 3 x 2 pixels with a length of 786 bytes "
              "that fits neither 16 nor 256 colours\n");
    EXPECT_EQ(dir.entries(), (std::vector<std::string>{"broken.epa", "wrong.bmp"}));
}

} // namespace
} // namespace kalvero::test
