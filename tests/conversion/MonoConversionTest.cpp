#include "conversion/MonoConversion.h"

#include "document/EpaTables.h"

#include <gtest/gtest.h>
#include <vector>

namespace kalvero {
namespace {

// A two-colour bitmap file image with nothing but the pixel rows filled in.
std::vector<std::uint8_t> BlankBitmap(bool tall) {
    return std::vector<std::uint8_t>(tall ? 2582 : 1742, 0);
}

void SetPixel(std::vector<std::uint8_t>& bitmap, int height, int x, int y) {
    bitmap[static_cast<std::size_t>(62 + (height - 1 - y) * 20 + x / 8)] |=
        static_cast<std::uint8_t>(0x80 >> (x % 8));
}

TEST(ConvertMonoBmp, BlankBitmapGivesWhiteCellsAndTheTrailer) {
    for (const bool negative : {false, true}) {
        for (const bool tall : {false, true}) {
            LogoDocument document;
            document.TallLogo = tall;
            ConvertMonoBmp(document, BlankBitmap(tall), negative);
            const LogoLayout size = LayoutFor(tall);
            EXPECT_EQ(document.EpaData(1), 17);
            EXPECT_EQ(document.EpaData(2), 9); // the writer makes it 6 for a short logo
            for (int cell = 0; cell < size.cellCount; ++cell) {
                ASSERT_EQ(document.EpaData(3 + cell), 15);
            }
            for (int position = size.glyphOffset + 1; position <= size.trailerOffset; ++position) {
                ASSERT_EQ(document.EpaData(position), negative ? 255 : 0) << position;
            }
            for (int i = 0; i < 70; ++i) {
                ASSERT_EQ(document.EpaData(size.trailerOffset + 1 + i), EpaTrailer[i]);
            }
            for (int position = size.fileLength + 1; position <= 2367; ++position) {
                ASSERT_EQ(document.EpaData(position), 0);
            }
        }
    }
}

TEST(ConvertMonoBmp, EachPixelBecomesItsGlyphBit) {
    struct Case {
        bool tall;
        int x;
        int y;
        int position; // hand-computed EpaData position of the glyph byte
        int value;
    };
    const Case cases[] = {
        {true, 0, 0, 156, 0x80}, // top-left pixel: first glyph byte, leftmost bit
        {true, 7, 0, 156, 0x01},
        {true, 8, 0, 170, 0x80},        // cell column 1
        {true, 0, 13, 169, 0x80},       // line 13 of cell 0
        {true, 0, 14, 156 + 238, 0x80}, // cell row 1
        {true, 135, 125, 2297, 0x01},   // bottom-right pixel: last glyph byte
        {false, 0, 0, 105, 0x80},
        {false, 135, 83, 1532, 0x01},
        {false, 20, 30, 105 + 2 * 238 + 2 * 14 + 2, 0x08},
    };
    for (const Case& c : cases) {
        std::vector<std::uint8_t> bitmap = BlankBitmap(c.tall);
        SetPixel(bitmap, c.tall ? 126 : 84, c.x, c.y);
        LogoDocument document;
        document.TallLogo = c.tall;
        ConvertMonoBmp(document, bitmap, false);
        EXPECT_EQ(document.EpaData(c.position), c.value) << c.x << "," << c.y;
        int setBytes = 0;
        for (int position = LayoutFor(c.tall).glyphOffset + 1;
             position <= LayoutFor(c.tall).trailerOffset; ++position) {
            setBytes += document.EpaData(position) != 0 ? 1 : 0;
        }
        EXPECT_EQ(setBytes, 1);
    }
}

TEST(ConvertMonoBmp, RowPaddingAndPaletteNeverReachTheLogo) {
    std::vector<std::uint8_t> bitmap = BlankBitmap(true);
    for (int row = 0; row < 126; ++row) {
        for (int pad = 17; pad < 20; ++pad) {
            bitmap[static_cast<std::size_t>(62 + row * 20 + pad)] = 0xFF;
        }
    }
    std::fill(bitmap.begin() + 54, bitmap.begin() + 62, 0xFF);
    LogoDocument document;
    ConvertMonoBmp(document, bitmap, false);
    for (int position = 156; position <= 2296; ++position) {
        ASSERT_EQ(document.EpaData(position), 0) << position;
    }
}

TEST(ConvertMonoBmp, NegativeComplementsOnlyTheGlyphs) {
    std::vector<std::uint8_t> bitmap = BlankBitmap(false);
    SetPixel(bitmap, 84, 0, 0);
    LogoDocument document;
    document.TallLogo = false;
    ConvertMonoBmp(document, bitmap, true);
    EXPECT_EQ(document.EpaData(105), 0x7F);
    EXPECT_EQ(document.EpaData(106), 0xFF);
    EXPECT_EQ(document.EpaData(3), 15);
    EXPECT_EQ(document.EpaData(1533), 7);
}

} // namespace
} // namespace kalvero
