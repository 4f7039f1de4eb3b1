#include "document/LogoDocument.h"

#include <gtest/gtest.h>
#include <stdexcept>

namespace kalvero {
namespace {

TEST(LogoDocument, CellAttributesAndGlyphLinesAreAtTheirFilePositions) {
    // Tall, cell column and row, glyph line, and the 1-based positions of its
    // attribute and of that glyph line, worked out by hand from the file layout.
    const std::tuple<bool, int, int, int, int, int> cases[] = {
        {true, 0, 0, 0, 3, 156},      {true, 1, 0, 0, 4, 170},   {true, 0, 1, 0, 20, 394},
        {true, 16, 8, 13, 155, 2297}, {false, 0, 0, 13, 3, 118}, {false, 16, 5, 13, 104, 1532},
    };
    for (const auto& [tall, column, row, line, attribute, glyph] : cases) {
        LogoDocument document(tall);
        document.SetCellAttribute(column, row, 9);
        document.SetGlyphRow(column, row, line, 0xA5);
        EXPECT_EQ(document.EpaData(attribute), 9) << column << "," << row;
        EXPECT_EQ(document.EpaData(glyph), 0xA5) << column << "," << row;
    }
    // Outside the logo, in every build (WebAssembly, built without
    // exceptions, stops there instead).
#ifndef __EMSCRIPTEN__
    LogoDocument document(false);
    EXPECT_THROW(document.SetCellAttribute(0, 6, 1), std::out_of_range);
    EXPECT_THROW(document.SetGlyphRow(17, 0, 0, 1), std::out_of_range);
    EXPECT_THROW(document.SetGlyphRow(0, 0, 14, 1), std::out_of_range);
    EXPECT_THROW(document.EpaData(2368), std::out_of_range);
#endif
}

TEST(LogoDocument, PixelColourShowsTheAttributeOnSetBitsAndBlackAboveFifteen) {
    LogoDocument document;
    // Cell (2, 1), line 3, bits 10000010: pixels x = 16 and x = 22 of line
    // y = 17 (the first bit is the leftmost pixel; a mirrored cell sets 17 and 23).
    document.SetGlyphRow(2, 1, 3, 0x82);
    const std::tuple<int, int, int, int> cases[] = {
        {12, 16, 17, 12}, {12, 22, 17, 12}, {12, 17, 17, 0},  {12, 23, 17, 0},
        {12, 16, 18, 0},  {16, 16, 17, 0},  {255, 22, 17, 0},
    };
    for (const auto& [attribute, x, y, colour] : cases) {
        document.SetCellAttribute(2, 1, attribute);
        EXPECT_EQ(document.PixelColour(x, y), colour) << attribute << ": " << x << "," << y;
    }
}

} // namespace
} // namespace kalvero
