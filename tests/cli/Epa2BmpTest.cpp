#include "cli/CliRunner.h"
#include "cli/CliTestFiles.h"

#include <random>

namespace kalvero::test {
namespace {

using Epa2Bmp = CliTest;

TEST_F(Epa2Bmp, LogoBecomesTwoColourBitmapWhiteOnBlack) {
    struct Case {
        bool tall;
        int cell;
        int line;
        std::uint8_t glyph;
        std::size_t bmpLength;
        std::size_t bmpOffset; // where that glyph byte lands
    };
    const Case cases[] = {
        {true, 0, 0, 0x80, 2582, 62 + 20 * 125},
        {true, 152, 13, 0x01, 2582, 62 + 16},
        {false, 101, 13, 0x01, 1742, 62 + 16},
        {false, 18, 1, 0x40, 1742, 62 + 20 * (84 - 1 - 15) + 1},
    };
    for (const Case& c : cases) {
        TestLogo logo(c.tall);
        logo.attribute(c.cell) = 4; // cell colours are not exported
        logo.glyph(c.cell, c.line) = c.glyph;
        logo.save(dir.file("in.epa"));
        const CliRun result = run({"epa2bmp", "in.epa", "out.bmp"});
        ASSERT_EQ(result.exitCode, 0) << result.err;
        const std::vector<std::uint8_t> bmp = ReadBytes(dir.file("out.bmp"));
        ASSERT_EQ(bmp.size(), c.bmpLength);
        EXPECT_EQ(bmp[0], 'B');
        EXPECT_EQ(bmp[10], 62);
        EXPECT_EQ(std::vector<std::uint8_t>(bmp.begin() + 54, bmp.begin() + 62),
                  (std::vector<std::uint8_t>{0, 0, 0, 0, 255, 255, 255, 255}));
        EXPECT_EQ(bmp[c.bmpOffset], c.glyph) << c.bmpOffset;
        EXPECT_EQ(std::count(bmp.begin() + 62, bmp.end(), 0), static_cast<long>(c.bmpLength - 63));
    }
}

TEST_F(Epa2Bmp, TwoColourRoundTripKeepsEveryGlyphBit) {
    std::mt19937 random(7);
    for (const int height : {84, 126}) {
        TestBitmap bitmap(2, height);
        for (int y = 0; y < height; ++y) {
            for (int x = 0; x < 136; ++x) {
                bitmap.setPixel(x, y, static_cast<int>(random() % 2));
            }
        }
        bitmap.save(dir.file("in.bmp"));
        ASSERT_EQ(run({"bmp2epa", "in.bmp", "logo.epa"}).exitCode, 0);
        ASSERT_EQ(run({"epa2bmp", "logo.epa", "back.bmp"}).exitCode, 0);
        const std::vector<std::uint8_t> back = ReadBytes(dir.file("back.bmp"));
        ASSERT_EQ(back.size(), bitmap.bytes().size());
        for (std::size_t row = 0; row < static_cast<std::size_t>(height); ++row) {
            const auto start = static_cast<long>(62 + 20 * row);
            ASSERT_TRUE(std::equal(back.begin() + start, back.begin() + start + 17,
                                   bitmap.bytes().begin() + start))
                << "row " << row << " of " << height;
        }
    }
}

TEST_F(Epa2Bmp, Epa2RoundTripKeepsEveryByte) {
    std::mt19937 random(11);
    for (const int height : {84, 126}) {
        TestBitmap bitmap(16, height);
        for (int entry = 0; entry < 16; ++entry) {
            bitmap.setEntry(entry, static_cast<std::uint8_t>(random()),
                            static_cast<std::uint8_t>(random()),
                            static_cast<std::uint8_t>(random()));
        }
        for (int y = 0; y < height; ++y) {
            for (int x = 0; x < 136; ++x) {
                bitmap.setPixel(x, y, static_cast<int>(random() % 16));
            }
        }
        bitmap.save(dir.file("in.bmp"));
        ASSERT_EQ(run({"bmp2epa", "in.bmp", "first.epa"}).exitCode, 0);
        const CliRun back = run({"epa2bmp", "first.epa", "back.bmp"});
        ASSERT_EQ(back.exitCode, 0) << back.err;
        EXPECT_EQ(ReadBytes(dir.file("back.bmp")).size(), height == 84 ? 5830U : 8686U);
        ASSERT_EQ(run({"bmp2epa", "back.bmp", "second.epa"}).exitCode, 0);
        EXPECT_EQ(ReadBytes(dir.file("first.epa")), ReadBytes(dir.file("second.epa"))) << height;
    }
}

TEST_F(Epa2Bmp, FilesWithoutABitmapAreRefused) {
    struct Case {
        std::vector<std::uint8_t> bytes;
        std::string reason;
    };
    const Case cases[] = {
        {std::vector<std::uint8_t>(1000, 0),
         "wrong size: 1000 bytes (neither an EPA file nor one of the four accepted bitmaps)"},
        {std::vector<std::uint8_t>(5772, 0), "not an EPA 2.0 image (no AWBM signature)"},
        {TestBitmap(2, 84).bytes(), "not an EPA file: bitmap, 2 colours, 136 x 84"},
        {Epa2Image256(136, 84),
         "only 136 x 84 and 136 x 126 EPA 2.0 images of 16 colours become bitmaps"},
    };
    for (const Case& c : cases) {
        WriteBytes(dir.file("in.epa"), c.bytes);
        const CliRun result = run({"epa2bmp", "in.epa", "out.bmp"});
        EXPECT_EQ(result.exitCode, 1);
        EXPECT_EQ(result.err, "kalvero-cli: in.epa: " + c.reason + "\n");
        EXPECT_FALSE(std::filesystem::exists(dir.file("out.bmp")));
    }
}

} // namespace
} // namespace kalvero::test
