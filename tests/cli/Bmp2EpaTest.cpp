// The sizes bmp2epa refuses are in FileTroubleTest.

#include "cli/CliRunner.h"
#include "cli/CliTestFiles.h"

namespace kalvero::test {
namespace {

using Bmp2Epa = CliTest;

TEST_F(Bmp2Epa, EachAcceptedBitmapBecomesItsEpaFile) {
    struct Case {
        int colours;
        int height;
        std::vector<std::array<int, 3>> pixels; // x, y, index
        std::size_t epaLength;
        std::vector<std::pair<std::size_t, int>> expected; // offset, byte
    };
    const Case cases[] = {
        // Top-left pixel: first glyph byte of cell 0; rows byte 6, attributes
        // 15, the trailer from 1532.
        {2, 84, {{0, 0, 1}}, 1602, {{1, 6}, {2, 15}, {104, 0x80}, {105, 0}, {1532, 7}}},
        // Bottom-right pixel: last line of cell 152; (9, 15) is line 1 of cell 18.
        {2, 126, {{135, 125, 1}, {9, 15, 1}}, 2367, {{1, 9}, {408, 0x40}, {2296, 1}, {2297, 7}}},
        // Index 5 sets planes 0 and 2 of the top row.
        {16, 84, {{0, 0, 5}}, 5772, {{0, 'A'}, {8, 0x80}, {25, 0}, {42, 0x80}, {5720, 'R'}}},
        // Index 15 at the bottom right sets the last byte of all four planes.
        {16, 126, {{135, 125, 15}}, 8628, {{6, 126}, {8524, 1}, {8575, 1}, {8576, 'R'}}},
    };
    for (const Case& c : cases) {
        TestBitmap bitmap(c.colours, c.height);
        for (const auto& [x, y, index] : c.pixels) {
            bitmap.setPixel(x, y, index);
        }
        WriteBytes(dir.file("in.bmp"), bitmap.bytes());
        const CliRun result = run({"bmp2epa", "in.bmp", "out.epa"});
        ASSERT_EQ(result.exitCode, 0) << result.err;
        EXPECT_EQ(result.out + result.err, "");
        const std::vector<std::uint8_t> epa = ReadBytes(dir.file("out.epa"));
        ASSERT_EQ(epa.size(), c.epaLength);
        for (const auto& [offset, value] : c.expected) {
            EXPECT_EQ(epa[offset], value) << c.epaLength << " at " << offset;
        }
    }
}

TEST_F(Bmp2Epa, NegativeComplementsTwoColourGlyphsOnly) {
    TestBitmap mono(2, 84);
    mono.setPixel(0, 0, 1);
    WriteBytes(dir.file("mono.bmp"), mono.bytes());
    ASSERT_EQ(run({"bmp2epa", "--negative", "mono.bmp", "neg.epa"}).exitCode, 0);
    const std::vector<std::uint8_t> epa = ReadBytes(dir.file("neg.epa"));
    ASSERT_EQ(epa.size(), 1602U);
    EXPECT_EQ(epa[2], 15);
    EXPECT_EQ(epa[104], 0x7F);
    EXPECT_EQ(epa[1531], 0xFF);
    EXPECT_EQ(epa[1532], 7);

    TestBitmap colour(16, 126);
    colour.setPixel(3, 4, 9);
    WriteBytes(dir.file("colour.bmp"), colour.bytes());
    ASSERT_EQ(run({"bmp2epa", "colour.bmp", "plain.epa"}).exitCode, 0);
    ASSERT_EQ(run({"bmp2epa", "colour.bmp", "--negative", "negative.epa"}).exitCode, 0);
    EXPECT_EQ(ReadBytes(dir.file("plain.epa")), ReadBytes(dir.file("negative.epa")));
}

} // namespace
} // namespace kalvero::test
