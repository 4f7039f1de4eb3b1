#include "cli/CliRunner.h"
#include "cli/CliTestFiles.h"

#include <random>

namespace kalvero::test {
namespace {

using Epa2Bmp = CliTest;

// BMP -> EPA -> BMP keeps every glyph bit; EPA 2.0 -> BMP -> EPA 2.0 every byte.
TEST_F(Epa2Bmp, RoundTripsKeepTheirContent) {
    std::mt19937 random(7);
    for (const int colours : {2, 16}) {
        for (const int height : {84, 126}) {
            TestBitmap bitmap(colours, height);
            for (int entry = 0; entry < colours; ++entry) {
                bitmap.setEntry(entry, static_cast<std::uint8_t>(random()),
                                static_cast<std::uint8_t>(random()),
                                static_cast<std::uint8_t>(random()));
            }
            for (int y = 0; y < height; ++y) {
                for (int x = 0; x < 136; ++x) {
                    bitmap.setPixel(x, y, static_cast<int>(random() % colours));
                }
            }
            WriteBytes(dir.file("in.bmp"), bitmap.bytes());
            ASSERT_EQ(run({"bmp2epa", "in.bmp", "first.epa"}).exitCode, 0);
            ASSERT_EQ(run({"epa2bmp", "first.epa", "back.bmp"}).exitCode, 0);
            const std::vector<std::uint8_t> back = ReadBytes(dir.file("back.bmp"));
            ASSERT_EQ(back.size(), bitmap.bytes().size());
            if (colours == 16) {
                ASSERT_EQ(run({"bmp2epa", "back.bmp", "second.epa"}).exitCode, 0);
                EXPECT_EQ(ReadBytes(dir.file("first.epa")), ReadBytes(dir.file("second.epa")));
                continue;
            }
            // White glyphs on black, whatever the bitmap's own palette was.
            EXPECT_EQ(std::vector<std::uint8_t>(back.begin() + 54, back.begin() + 62),
                      (std::vector<std::uint8_t>{0, 0, 0, 0, 255, 255, 255, 255}));
            for (std::size_t row = 0; row < static_cast<std::size_t>(height); ++row) {
                const auto start = static_cast<long>(62 + 20 * row); // 17 bytes of pixels
                ASSERT_TRUE(std::equal(back.begin() + start, back.begin() + start + 17,
                                       bitmap.bytes().begin() + start))
                    << "row " << row << " of " << height;
            }
        }
    }
}

TEST_F(Epa2Bmp, FilesWithoutABitmapAreRefused) {
    const std::pair<std::vector<std::uint8_t>, std::string> cases[] = {
        {std::vector<std::uint8_t>(5772, 0), "not an EPA 2.0 image (no AWBM signature)"},
        {TestBitmap(2, 84).bytes(), "not an EPA file: bitmap, 2 colours, 136 x 84"},
        {Epa2Image256(136, 84),
         "only 136 x 84 and 136 x 126 EPA 2.0 images of 16 colours become bitmaps"},
    };
    for (const auto& [bytes, reason] : cases) {
        WriteBytes(dir.file("in.epa"), bytes);
        EXPECT_EQ(run({"epa2bmp", "in.epa", "out.bmp"}), Failed("in.epa: " + reason));
        EXPECT_EQ(dir.entries(), std::vector<std::string>{"in.epa"});
    }
}

} // namespace
} // namespace kalvero::test
