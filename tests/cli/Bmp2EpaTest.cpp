#include "cli/CliRunner.h"
#include "cli/CliTestFiles.h"

#include <chrono>

namespace kalvero::test {
namespace {

using Bmp2Epa = CliTest;

struct ExpectedByte {
    std::size_t offset;
    std::uint8_t value;
};

TEST_F(Bmp2Epa, EachAcceptedBitmapBecomesItsEpaFile) {
    struct Case {
        int colours;
        int height;
        std::vector<std::array<int, 3>> pixels; // x, y, index
        std::size_t epaLength;
        std::vector<ExpectedByte> expected;
    };
    const Case cases[] = {
        // Top-left pixel: first glyph byte of cell 0; rows byte 6, attributes
        // 15, the fixed trailer from 1532.
        {2,
         84,
         {{0, 0, 1}},
         1602,
         {{0, 17},
          {1, 6},
          {2, 15},
          {103, 15},
          {104, 0x80},
          {105, 0},
          {1532, 7},
          {1546, 128},
          {1601, 0}}},
        // Bottom-right pixel: last line of cell 152; (9, 15) is line 1 of cell 18.
        {2,
         126,
         {{135, 125, 1}, {9, 15, 1}},
         2367,
         {{1, 9}, {154, 15}, {155, 0}, {408, 0x40}, {2296, 0x01}, {2297, 7}, {2366, 0}}},
        // Index 5 sets planes 0 and 2 of the top row.
        {16,
         84,
         {{0, 0, 5}},
         5772,
         {{0, 'A'},
          {3, 'M'},
          {4, 136},
          {5, 0},
          {6, 84},
          {8, 0x80},
          {25, 0},
          {42, 0x80},
          {59, 0},
          {5720, 'R'},
          {5723, ' '}}},
        // Index 15 at the bottom right sets the last byte of all four planes.
        {16,
         126,
         {{135, 125, 15}},
         8628,
         {{6, 126}, {8524, 0x01}, {8541, 0x01}, {8558, 0x01}, {8575, 0x01}, {8576, 'R'}}},
    };
    for (const Case& c : cases) {
        TestBitmap bitmap(c.colours, c.height);
        for (const auto& [x, y, index] : c.pixels) {
            bitmap.setPixel(x, y, index);
        }
        bitmap.save(dir.file("in.bmp"));
        const CliRun result = run({"bmp2epa", "in.bmp", "out.epa"});
        ASSERT_EQ(result.exitCode, 0) << result.err;
        EXPECT_EQ(result.out + result.err, "");
        const std::vector<std::uint8_t> epa = ReadBytes(dir.file("out.epa"));
        ASSERT_EQ(epa.size(), c.epaLength);
        for (const ExpectedByte& e : c.expected) {
            EXPECT_EQ(epa[e.offset], e.value) << c.epaLength << " at " << e.offset;
        }
    }
}

TEST_F(Bmp2Epa, Epa2PaletteIsKeptInSixBitsWithItsFixedEntries) {
    TestBitmap bitmap(16, 84);
    bitmap.setEntry(1, 4, 128, 255); // red, green, blue: stored 63, 32, 1 (blue first)
    bitmap.setEntry(7, 9, 9, 9);     // always grey 32
    bitmap.save(dir.file("in.bmp"));
    ASSERT_EQ(run({"bmp2epa", "in.bmp", "out.epa"}).exitCode, 0);
    const std::vector<std::uint8_t> epa = ReadBytes(dir.file("out.epa"));
    const std::vector<std::uint8_t> entries(epa.begin() + 5724, epa.begin() + 5724 + 27);
    EXPECT_EQ(entries, (std::vector<std::uint8_t>{0, 0, 0, 63, 32, 1, 0, 0,  0,  0,  0,  0, 0, 0,
                                                  0, 0, 0, 0,  0,  0, 0, 32, 32, 32, 63, 0, 0}));
}

TEST_F(Bmp2Epa, NegativeComplementsTwoColourGlyphsOnly) {
    TestBitmap mono(2, 84);
    mono.setPixel(0, 0, 1);
    mono.save(dir.file("mono.bmp"));
    ASSERT_EQ(run({"bmp2epa", "--negative", "mono.bmp", "neg.epa"}).exitCode, 0);
    const std::vector<std::uint8_t> epa = ReadBytes(dir.file("neg.epa"));
    ASSERT_EQ(epa.size(), 1602U);
    EXPECT_EQ(epa[104], 0x7F);
    for (std::size_t at = 105; at < 1532; ++at) {
        ASSERT_EQ(epa[at], 255) << at;
    }
    EXPECT_EQ(epa[2], 15);
    EXPECT_EQ(epa[1532], 7);

    TestBitmap colour(16, 126);
    colour.setPixel(3, 4, 9);
    colour.save(dir.file("colour.bmp"));
    ASSERT_EQ(run({"bmp2epa", "colour.bmp", "plain.epa"}).exitCode, 0);
    ASSERT_EQ(run({"bmp2epa", "colour.bmp", "--negative", "negative.epa"}).exitCode, 0);
    EXPECT_EQ(ReadBytes(dir.file("plain.epa")), ReadBytes(dir.file("negative.epa")));
}

std::string EnglishRefusal(const std::string& file, std::uint64_t length) {
    return "kalvero-cli: " + file + ": Wrong Filesize - " + std::to_string(length) +
           " bytes\n"
           "You need one of the following Bitmap-Formats:\n"
           "\n"
           "Width x Height:    Colors:  Pixeldepth:  Size:\n"
           "    (pixel)                                 (bit)      (bytes)\n"
           "136 x   84                 2              1        1742\n"
           "136 x 126                 2              1        2582\n"
           "136 x   84                16             4        5830\n"
           "136 x 126                16             4        8686\n";
}

TEST_F(Bmp2Epa, OtherSizesAreRefusedWithTheEditorsTable) {
    for (const std::uint64_t length : {0ULL, 1ULL, 1741ULL, 1743ULL, 5829ULL, 8687ULL}) {
        WriteBytes(dir.file("in.bmp"), std::vector<std::uint8_t>(length, 0));
        const CliRun result = run({"bmp2epa", "in.bmp", "out.epa"});
        EXPECT_EQ(result.exitCode, 1) << length;
        EXPECT_EQ(result.err, EnglishRefusal("in.bmp", length));
        EXPECT_EQ(result.out, "");
        EXPECT_EQ(dir.entries(), std::vector<std::string>{"in.bmp"}) << length;
    }
}

TEST_F(Bmp2Epa, HugeFileIsRefusedByItsSizeWithoutBeingRead) {
    const std::uint64_t length = 2ULL * 1024 * 1024 * 1024;
    {
        WriteBytes(dir.file("huge.bmp"), {});
        std::filesystem::resize_file(dir.file("huge.bmp"), length); // sparse, like truncate -s 2G
    }
    const auto start = std::chrono::steady_clock::now();
    const CliRun result = run({"bmp2epa", "huge.bmp", "out.epa"});
    const auto seconds = std::chrono::duration<double>(std::chrono::steady_clock::now() - start);
    EXPECT_EQ(result.exitCode, 1);
    EXPECT_EQ(result.err, EnglishRefusal("huge.bmp", length));
    EXPECT_FALSE(std::filesystem::exists(dir.file("out.epa")));
    EXPECT_LT(seconds.count(), 10.0);
}

} // namespace
} // namespace kalvero::test
