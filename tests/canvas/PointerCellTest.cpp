#include "canvas/PointerCell.h"

#include <gtest/gtest.h>

namespace kalvero {
namespace {

TEST(ReadoutNumber, SignCharacterThenPaddingToFour) {
    const std::pair<int, const char*> cases[] = {
        {0, "   0"},  {7, "   7"},    {16, "  16"},    {136, " 136"},
        {-5, "  -5"}, {-100, "-100"}, {1000, " 1000"}, {-1000, "-1000"},
    };
    for (const auto& [number, text] : cases) {
        EXPECT_EQ(ReadoutNumber(number), text) << number;
    }
}

struct ReadoutCase {
    double x;
    double y;
    bool tall;
    int gridOffset;
    const char* text;
};

TEST(ReadoutText, ExamplesOfBothGridModes) {
    const ReadoutCase cases[] = {
        {1, 1, true, 0, "Pixel  x:   1 y:   1\r\nKoord. x:   0 y:   0\r\nOffset  :   0"},
        {152, 134, true, 0, "Pixel  x: 136 y: 126\r\nKoord. x:  16 y:   8\r\nOffset  : 152"},
        {135, 83, false, 1, "Pixel  x: 136 y:  84\r\nKoord. x:  16 y:   5\r\nOffset  : 101"},
        // On the grid line x = 9: the next cell, but the last pixel of the one before.
        {9, 1, true, 0, "Pixel  x:   8 y:   1\r\nKoord. x:   1 y:   0\r\nOffset  :   1"},
        {0, 0, true, 0, "Pixel  x:   0 y:   0\r\nKoord. x:   0 y:   0\r\nOffset  :   0"},
        // Dragged out to the left and above: cells clamp, pixels go negative.
        {-100.5, -5, true, 0, "Pixel  x:-101 y:  -5\r\nKoord. x:   0 y:   0\r\nOffset  :   0"},
        {-3, 40.9, false, 1, "Pixel  x:  -2 y:  41\r\nKoord. x:   0 y:   2\r\nOffset  :  34"},
    };
    for (const ReadoutCase& c : cases) {
        const std::optional<PointerCell> cell = CellUnderPointer(c.x, c.y, c.tall, c.gridOffset);
        ASSERT_TRUE(cell.has_value()) << c.x << "," << c.y;
        EXPECT_EQ(ReadoutText(*cell), c.text) << c.x << "," << c.y;
    }
}

TEST(CellUnderPointer, RangeLimitsDoNotDependOnTheGrid) {
    struct Case {
        double x;
        double y;
        bool tall;
        bool inside;
    };
    const Case cases[] = {
        {152, 0, true, true},  {152.9, 0, true, true},   {153, 0, true, false},
        {0, 89, false, true},  {0, 90, false, false},    {0, 134, true, true},
        {0, 135, true, false}, {-500, -500, true, true},
    };
    for (const Case& c : cases) {
        for (const int gridOffset : {0, 1}) {
            EXPECT_EQ(CellUnderPointer(c.x, c.y, c.tall, gridOffset).has_value(), c.inside)
                << c.x << "," << c.y << " grid offset " << gridOffset;
        }
    }
}

TEST(CellUnderPointer, CellsAndClamping) {
    struct Case {
        double x;
        double y;
        bool tall;
        int gridOffset;
        int column;
        int row;
    };
    const Case cases[] = {
        {9, 15, true, 0, 1, 1}, // grid lines belong to the cell right and below
        {8.99, 14.99, true, 0, 0, 0}, {8, 14, true, 1, 1, 1},   {152, 134, true, 0, 16, 8},
        {152, 89, false, 1, 16, 5}, // x 152 / 8 = 19 and y 89 / 14 = 6 clamp
        {140, 84, false, 1, 16, 5},   {-1, -1, false, 0, 0, 0},
    };
    for (const Case& c : cases) {
        const std::optional<PointerCell> cell = CellUnderPointer(c.x, c.y, c.tall, c.gridOffset);
        ASSERT_TRUE(cell.has_value());
        EXPECT_EQ(cell->CellColumn, c.column) << c.x << "," << c.y;
        EXPECT_EQ(cell->CellRow, c.row) << c.x << "," << c.y;
    }
}

} // namespace
} // namespace kalvero
