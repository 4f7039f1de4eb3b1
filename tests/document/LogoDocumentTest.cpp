#include "document/LogoDocument.h"

#include "support/TempDir.h"

#include <gtest/gtest.h>

namespace kalvero {
namespace {

struct CellPosition {
    int column;
    int row;
    int position; // 1-based position in EpaData, worked out by hand from the file layout
};

TEST(LogoDocument, AttributeOfEachCellIsAtItsFilePosition) {
    const CellPosition cases[] = {{0, 0, 3}, {16, 0, 19}, {0, 1, 20}, {5, 5, 3 + 90}, {16, 8, 155}};
    for (const CellPosition& cell : cases) {
        LogoDocument document;
        document.SetCellAttribute(cell.column, cell.row, 9);
        EXPECT_EQ(document.EpaData(cell.position), 9) << cell.column << "," << cell.row;
        EXPECT_EQ(document.CellAttribute(cell.column, cell.row), 9);
    }
}

struct GlyphPosition {
    bool tall;
    int column;
    int row;
    int line;
    int position;
};

TEST(LogoDocument, GlyphLinesAreWhereTheLayoutPutsThem) {
    const GlyphPosition cases[] = {
        {true, 0, 0, 0, 156},     {true, 1, 0, 0, 170},  {true, 0, 1, 0, 394},
        {true, 16, 8, 13, 2297},  {false, 0, 0, 0, 105}, {false, 0, 0, 13, 118},
        {false, 16, 5, 13, 1532},
    };
    for (const GlyphPosition& glyph : cases) {
        LogoDocument document;
        document.TallLogo = glyph.tall;
        document.EpaData(glyph.position) = 0xA5;
        EXPECT_EQ(document.GlyphRow(glyph.column, glyph.row, glyph.line), 0xA5)
            << "tall=" << glyph.tall << " cell " << glyph.column << "," << glyph.row;
    }
}

TEST(LogoDocument, PixelColourShowsAttributeOnSetBitsOnly) {
    LogoDocument document;
    // Cell (2, 1), line 3, bits 10000001: pixels x = 16 and x = 23 of line y = 17.
    document.EpaData(156 + 14 * 19 + 3) = 0x81;
    document.SetCellAttribute(2, 1, 12);
    EXPECT_EQ(document.PixelColour(16, 17), 12);
    EXPECT_EQ(document.PixelColour(23, 17), 12);
    EXPECT_EQ(document.PixelColour(17, 17), 0);
    EXPECT_EQ(document.PixelColour(16, 18), 0);

    document.SetCellAttribute(2, 1, 16); // above 15: drawn black
    EXPECT_EQ(document.PixelColour(16, 17), 0);
    document.SetCellAttribute(2, 1, 255);
    EXPECT_EQ(document.PixelColour(23, 17), 0);
}

TEST(LogoDocument, TemplateGivesWhiteCellsAndTheTrailer) {
    struct Expectation {
        bool tall;
        int position;
        int value;
    };
    const Expectation cases[] = {
        {false, 1, 17},   {false, 2, 9},    {false, 3, 15},    {false, 104, 15},   {false, 105, 0},
        {false, 1532, 0}, {false, 1533, 7}, {false, 1546, 0},  {false, 1547, 128}, {false, 1602, 0},
        {false, 1603, 0}, {false, 2367, 0}, {true, 1, 17},     {true, 2, 9},       {true, 155, 15},
        {true, 156, 0},   {true, 2298, 7},  {true, 2312, 128}, {true, 2331, 251},  {true, 2367, 0},
    };
    for (const Expectation& expected : cases) {
        LogoDocument document;
        document.TallLogo = expected.tall;
        document.InitFromTemplate();
        EXPECT_EQ(document.EpaData(expected.position), expected.value)
            << "tall=" << expected.tall << " position " << expected.position;
    }
}

TEST(LogoDocument, ClearLogoZeroesAllPositions) {
    LogoDocument document;
    document.InitFromTemplate();
    document.ClearLogo();
    for (int position = 1; position <= 2367; ++position) {
        ASSERT_EQ(document.EpaData(position), 0) << position;
    }
}

class ReloadLogoTest : public ::testing::Test {
protected:
    test::TempDir dir;
    LogoDocument document;
};

TEST_F(ReloadLogoTest, ReadsAtMost2367BytesAndKeepsDataWhenTheFileIsGone) {
    std::vector<std::uint8_t> bytes(3000, 1);
    test::WriteBytes(dir.file("big.epa"), bytes);
    document.EpaFileName = dir.file("big.epa").string();
    ASSERT_TRUE(document.ReloadLogo().ok());
    EXPECT_EQ(document.EpaData(2367), 1);

    document.EpaFileName = dir.file("gone.epa").string();
    document.SetCellAttribute(3, 3, 5);
    const FileStatus status = document.ReloadLogo();
    ASSERT_FALSE(status.ok());
    EXPECT_EQ(status.error().problem, FileProblem::NotFound);
    EXPECT_EQ(document.CellAttribute(3, 3), 5);
}

} // namespace
} // namespace kalvero
