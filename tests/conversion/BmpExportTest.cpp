#include "conversion/BmpExport.h"

#include "conversion/MonoConversion.h"

#include <gtest/gtest.h>
#include <vector>

namespace kalvero {
namespace {

TEST(MonoBmpFromLogo, HeaderBytesOfBothSizes) {
    const std::vector<std::uint8_t> shortHeader = {
        66, 77, 0xCE, 0x06, 0,    0,    0,   0,   0,    0,    62, 0, 0,    0, // file header
        40, 0,  0,    0,    136,  0,    0,   0,   84,   0,    0,  0, 1,    0,
        1,  0, // size, width, height, planes, bits
        0,  0,  0,    0,    0x90, 0x06, 0,   0,   0x12, 0x0B, 0,  0, 0x12, 0x0B,
        0,  0,                                    // compression .. resolution
        2,  0,  0,    0,    2,    0,    0,   0,   // colours used, important
        0,  0,  0,    0,    255,  255,  255, 255, // black, then white
    };
    std::vector<std::uint8_t> tallHeader = shortHeader;
    tallHeader[2] = 0x16;
    tallHeader[3] = 0x0A;
    tallHeader[22] = 126;
    tallHeader[34] = 0xD8;
    tallHeader[35] = 0x09;

    for (const bool tall : {false, true}) {
        LogoDocument document;
        document.TallLogo = tall;
        const std::vector<std::uint8_t> bmp = MonoBmpFromLogo(document);
        ASSERT_EQ(bmp.size(), tall ? 2582U : 1742U);
        EXPECT_EQ(std::vector<std::uint8_t>(bmp.begin(), bmp.begin() + 62),
                  tall ? tallHeader : shortHeader);
    }
}

TEST(MonoBmpFromLogo, GlyphBitsBecomeWhitePixelsWhateverTheColour) {
    LogoDocument document;
    document.TallLogo = false;
    document.SetCellAttribute(0, 0, 0); // black on the canvas, still white in the bitmap
    document.SetCellAttribute(16, 5, 200);
    document.EpaData(105) = 0x81;  // cell 0, line 0
    document.EpaData(1532) = 0x01; // cell 101, line 13 (bottom-right)

    const std::vector<std::uint8_t> bmp = MonoBmpFromLogo(document);
    // Top line is the last row of the file; the bottom line is the first.
    EXPECT_EQ(bmp[62 + 83 * 20], 0x81);
    EXPECT_EQ(bmp[62 + 0 * 20 + 16], 0x01);
    for (int row = 0; row < 84; ++row) {
        for (int pad = 17; pad < 20; ++pad) {
            ASSERT_EQ(bmp[static_cast<std::size_t>(62 + row * 20 + pad)], 0);
        }
    }
}

TEST(MonoBmpFromLogo, ConvertingTheExportBackGivesTheSameGlyphs) {
    for (const bool tall : {false, true}) {
        LogoDocument original;
        original.TallLogo = tall;
        original.InitFromTemplate();
        const LogoLayout size = original.layout();
        for (int position = size.glyphOffset + 1; position <= size.trailerOffset; ++position) {
            original.EpaData(position) = static_cast<std::uint8_t>(position * 73 + 5);
        }
        LogoDocument converted;
        converted.TallLogo = tall;
        ConvertMonoBmp(converted, MonoBmpFromLogo(original), false);
        for (int position = size.glyphOffset + 1; position <= size.trailerOffset; ++position) {
            ASSERT_EQ(converted.EpaData(position), original.EpaData(position))
                << "tall=" << tall << " position " << position;
        }
    }
}

} // namespace
} // namespace kalvero
