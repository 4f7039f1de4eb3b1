#include "conversion/FileKind.h"

#include "conversion/Epa2TestFile.h"
#include "conversion/FileInspection.h"
#include "conversion/PreviewImage.h"

#include <gtest/gtest.h>

namespace kalvero {
namespace {

TEST(ClassifyFile, LengthAndHeaderTellTheKind) {
    const std::tuple<std::uint64_t, std::vector<std::uint8_t>, std::string> cases[] = {
        {1602, {17, 6}, "EPA version 1, short logo, 136 x 84"},
        {2367, test::Epa2Header(136, 126), // the length wins, and the counts must fit it
         "not accepted: EPA version-1 logo whose count bytes say 65 x 87 cells, where its 2367 "
         "bytes hold 17 x 9: a BIOS reads the counts and would not show it as it is"},
        {1742, {}, "bitmap, 2 colours, 136 x 84"},
        {8628, test::Epa2Header(136, 126), "EPA 2.0, 4-bit (16 colours), 136 x 126"},
        // 8 + 4992 + 4 + 768, the length of a 16-colour 136 x 84 image
        {5772, test::Epa2Header(64, 78), "EPA 2.0, 8-bit (256 colours), 64 x 78"},
        // planes padded to whole bytes: 8 + 3 rows x 4 planes x 2 bytes + 52
        {84, test::Epa2Header(9, 3), "EPA 2.0, 4-bit (16 colours), 9 x 3"},
        // a full-screen logo: 8 + 464 rows x 4 planes x 80 bytes + 52
        {148540, test::Epa2Header(640, 464), "EPA 2.0, 4-bit (16 colours), 640 x 464"},
        {148488, test::Epa2Header(640, 464),
         "EPA 2.0, 4-bit (16 standard VGA colours, no palette), 640 x 464"},
        {5773, test::Epa2Header(136, 84),
         "not accepted: EPA 2.0 image of 136 x 84 pixels with a length of 5773 bytes that fits "
         "neither 16 nor 256 colours"},
        {5772, {'A', 'W', 'B', 'M'}, "not accepted: not an EPA 2.0 image (no AWBM signature)"},
        {582,
         {17, 2}, // as one board's image holds it
         "not accepted: EPA version 1, 17 x 2 cells, 136 x 28: only a BIOS image whose logo has 2 "
         "rows takes it (kalvero-cli bios replace); the editor and the conversions take logos "
         "of 6 or 9 rows"},
        {1603,
         {},
         "not accepted: wrong size: 1603 bytes (neither an EPA file nor one of the four accepted "
         "bitmaps)"},
    };
    for (const auto& [length, head, description] : cases) {
        EXPECT_EQ(DescribeFileKind(ClassifyFile(length, head)).english(), description) << length;
    }
}

// Cells with a background colour (the glyphs' bytes do not count), and
// 16-colour EPA 2.0 pixels in palette entry 6.
TEST(InspectFile, CountsBackgroundCellsAndWarnsOfPaletteEntry6) {
    std::vector<std::uint8_t> tall(2367, 0);
    tall[0] = 17, tall[1] = 9, tall[2] = 0x1E, tall[154] = 0x70;
    std::vector<std::uint8_t> short_(1602, 0);
    short_[0] = 17, short_[1] = 6, short_[103] = 0x10,
    short_[104] = 0x10; // the last cell, the first glyph byte
    std::vector<std::uint8_t> many = test::Epa2Image256(3, 1);
    many[8] = 6; // a 256-colour image is not warned of
    const std::string note = " a background colour, which the PC shows and the editor's canvas "
                             "does not";
    const std::tuple<std::vector<std::uint8_t>, std::string, std::vector<std::string>> cases[] = {
        {tall, "EPA version 1, tall logo, 136 x 126; 2 cells have" + note, {}},
        {short_, "EPA version 1, short logo, 136 x 84; 1 cell has" + note, {}},
        {test::Epa2NineByOne(),
         "EPA 2.0, 4-bit (16 colours), 9 x 1",
         {"1 pixel uses palette entry 6, which two of three boards measured show in another "
          "entry's colour"}},
        {many, "EPA 2.0, 8-bit (256 colours), 3 x 1", {}},
    };
    for (const auto& [file, description, warnings] : cases) {
        const FileInspection inspection = InspectFile(ClassifyFile(file.size(), file), file);
        EXPECT_EQ(DescribeInspection(inspection), description);
        EXPECT_EQ(inspection.warnings, warnings);
    }
}

TEST(RenderPreview, SizeOrReason) {
    std::vector<std::uint8_t> logo(1602, 0);
    logo[0] = 17, logo[1] = 6;
    const std::vector<std::uint8_t> huge = test::Epa2Image256(4096, 4096);
    const std::vector<std::uint8_t> small = test::Epa2Image256(3, 2);
    const std::vector<std::uint8_t> bitmap(1742, 0);
    using enum PreviewView;
    const std::tuple<std::vector<std::uint8_t>, PreviewOptions, std::string> cases[] = {
        {logo, {1, true}, "154 x 91"}, // cells one pixel apart
        {logo, {2, false}, "272 x 168"},
        {huge, {3, false}, "picture too large to draw: 4096 x 4096 pixels at scale 3"},
        {logo, {0, false}, "scale below 1"},
        {logo, {2, false, Boot}, "272 x 168"},
        {logo, {2, false, BootScreen}, "1280 x 700"}, // text mode
        {small, {1, false, Boot}, "3 x 2"},
        {small, {1, false, BootScreen}, "640 x 480"}, // graphics mode
        {small, {16, false, BootScreen}, "picture too large to draw: 640 x 480 pixels at scale 16"},
        {logo, {1, true, Boot}, "the PC shows no cell grid"},
        {bitmap,
         {1, false, BootScreen},
         "the PC shows EPA files, not bitmaps: make an EPA file of it first"},
    };
    for (const auto& [file, options, expected] : cases) {
        const FileResult<RgbImage> image = RenderPreview(file, options);
        EXPECT_EQ(image.ok() ? std::to_string(image.value().width) + " x " +
                                   std::to_string(image.value().height)
                             : image.error().reason.english(),
                  expected);
    }
}

} // namespace
} // namespace kalvero
