#include "cli/CliRunner.h"
#include "cli/CliTestFiles.h"

namespace kalvero::test {
namespace {

using Colour = std::array<int, 3>;

constexpr Colour Black{0, 0, 0};
constexpr Colour Grey{224, 224, 224}; // the grid
constexpr Colour DarkRed{128, 0, 0};  // palette index 4
constexpr Colour Yellow{255, 255, 0}; // palette index 14

struct Probe {
    int x;
    int y;
    Colour colour;
};

class Render : public CliTest {
protected:
    // Renders input to out.png and checks its size and probes.
    void expectRender(const QStringList& options, const QString& input, int width, int height,
                      const std::vector<Probe>& probes) const {
        const std::string what = (options.join(' ') + " " + input).toStdString();
        const CliRun result = run(QStringList{"render"} + options + QStringList{input, "out.png"});
        ASSERT_EQ(result.exitCode, 0) << what << result.err;
        const QImage image = LoadPng(dir.file("out.png"));
        ASSERT_EQ(image.width(), width) << what;
        ASSERT_EQ(image.height(), height) << what;
        for (const Probe& p : probes) {
            EXPECT_EQ(RgbAt(image, p.x, p.y), p.colour) << what << " at " << p.x << "," << p.y;
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
    WriteBytes(dir.file("tall.epa"), tall.bytes());
    TestLogo shortLogo(false);
    shortLogo.attribute(101) = 4;
    shortLogo.glyph(101, 13) = 0x01;
    WriteBytes(dir.file("short.epa"), shortLogo.bytes());

    expectRender({}, "tall.epa", 136, 126, {{0, 0, DarkRed}, {1, 0, Black}, {135, 125, Yellow}});
    expectRender({}, "short.epa", 136, 84, {{135, 83, DarkRed}, {0, 0, Black}});
    // Cells one pixel apart from (1, 1), the gaps grey.
    expectRender(
        {"--grid"}, "tall.epa", 154, 136,
        {{1, 1, DarkRed}, {9, 1, Grey}, {10, 1, Black}, {1, 15, Grey}, {152, 134, Yellow}});
    expectRender(
        {"--scale", "3"}, "tall.epa", 408, 378,
        {{2, 2, DarkRed}, {3, 0, Black}, {0, 3, Black}, {405, 375, Yellow}, {404, 377, Black}});
    expectRender({"--scale=2", "--grid"}, "short.epa", 308, 182,
                 {{1, 1, Grey}, {305, 179, DarkRed}, {306, 179, Grey}, {305, 180, Grey}});
}

TEST_F(Render, OtherFilesInTheirOwnPaletteWithoutGrid) {
    TestBitmap bitmap(16, 84);
    bitmap.setEntry(1, 4, 128, 255); // six bits 1, 32, 63 become 4, 130, 255
    bitmap.setPixel(3, 0, 1);
    bitmap.setPixel(0, 83, 7); // entry 7 is always grey 32: 130
    WriteBytes(dir.file("colour.bmp"), bitmap.bytes());
    ASSERT_EQ(run({"bmp2epa", "colour.bmp", "four.epa"}).exitCode, 0);

    std::vector<std::uint8_t> packed = Epa2Image256(3, 2);
    packed[8 + 5] = 200; // pixel (2, 1)
    const std::size_t entry200 = 8 + 6 + 4 + 3 * 200;
    packed[entry200 + 1] = 63; // green
    packed[entry200 + 2] = 16; // red: 16 << 2 | 16 >> 4 = 65
    WriteBytes(dir.file("eight.epa"), packed);

    TestBitmap mono(2, 126);
    mono.setEntry(0, 30, 20, 10);
    mono.setEntry(1, 50, 100, 200);
    mono.setPixel(135, 125, 1);
    WriteBytes(dir.file("mono.bmp"), mono.bytes());

    expectRender({"--grid"}, "four.epa", 136, 84,
                 {{3, 0, {4, 130, 255}}, {2, 0, Black}, {0, 83, {130, 130, 130}}});
    expectRender({}, "eight.epa", 3, 2, {{2, 1, {65, 255, 0}}, {1, 1, Black}});
    expectRender({"--scale", "16"}, "eight.epa", 48, 32, {{47, 31, {65, 255, 0}}, {31, 31, Black}});
    expectRender({"--grid"}, "colour.bmp", 136, 84, {{3, 0, {4, 128, 255}}, {2, 0, Black}});
    expectRender({}, "mono.bmp", 136, 126, {{0, 0, {30, 20, 10}}, {135, 125, {50, 100, 200}}});
}

} // namespace
} // namespace kalvero::test
