#include "canvas/PointerCell.h"

#include <gtest/gtest.h>

namespace kalvero {
namespace {

TEST(PointerCell, ReadOutOfBothGridModes) {
    // x, y, tall logo, grid offset, read-out
    const std::tuple<double, double, bool, int, const char*> cases[] = {
        {1, 1, true, 0, "Pixel  x:   1 y:   1\r\nKoord. x:   0 y:   0\r\nOffset  :   0"},
        {152, 134, true, 0, "Pixel  x: 136 y: 126\r\nKoord. x:  16 y:   8\r\nOffset  : 152"},
        {135, 83, false, 1, "Pixel  x: 136 y:  84\r\nKoord. x:  16 y:   5\r\nOffset  : 101"},
        // On the grid line x = 9: the next cell, but the last pixel of the one before.
        {9, 15, true, 0, "Pixel  x:   8 y:  14\r\nKoord. x:   1 y:   1\r\nOffset  :  18"},
        {0, 0, true, 0, "Pixel  x:   0 y:   0\r\nKoord. x:   0 y:   0\r\nOffset  :   0"},
        // Dragged out left and above: cells clamp, pixels go negative, 4 characters unpadded.
        {-100.5, -5, true, 0, "Pixel  x:-101 y:  -5\r\nKoord. x:   0 y:   0\r\nOffset  :   0"},
        // Grid hidden, y 84..89 of a short logo is row 6, clamped to 5.
        {152, 89, false, 1, "Pixel  x: 153 y:  90\r\nKoord. x:  16 y:   5\r\nOffset  : 101"},
    };
    for (const auto& [x, y, tall, gridOffset, text] : cases) {
        const std::optional<PointerCell> cell = CellUnderPointer(x, y, tall, gridOffset);
        ASSERT_TRUE(cell.has_value()) << x << "," << y;
        EXPECT_EQ(ReadoutText(*cell), text) << x << "," << y;
    }
}

TEST(PointerCell, RangeLimitsDoNotDependOnTheGrid) {
    // x, y, tall logo, inside
    const std::tuple<double, double, bool, bool> cases[] = {
        {152.9, 0, true, true}, {153, 0, true, false}, {0, 89, false, true},
        {0, 90, false, false},  {0, 134, true, true},  {0, 135, true, false}};
    for (const auto& [x, y, tall, inside] : cases) {
        for (const int gridOffset : {0, 1}) {
            EXPECT_EQ(CellUnderPointer(x, y, tall, gridOffset).has_value(), inside)
                << x << "," << y;
        }
    }
}

} // namespace
} // namespace kalvero
