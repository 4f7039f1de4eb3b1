#pragma once

#include "document/LogoDocument.h"

namespace kalvero {

// Where the logo's pixels stand on a canvas. With the grid shown (gridOffset
// 0) cells stand one pixel apart, starting at (1, 1), and the gaps are left to
// the background; with it hidden (gridOffset 1) the cells touch, from (0, 0).
struct CanvasGeometry {
    int gridOffset = 0;

    int cellPitchX() const { return CellWidth + 1 - gridOffset; }
    int cellPitchY() const { return CellHeight + 1 - gridOffset; }
    int cellLeft(int column) const { return cellPitchX() * column + 1 - gridOffset; }
    int cellTop(int row) const { return cellPitchY() * row + 1 - gridOffset; }
    // Width and height the logo's cells and gaps take, without any margin.
    int logoWidth() const { return cellPitchX() * CellColumns + 1 - gridOffset; }
    int logoHeight(const LogoLayout& size) const {
        return cellPitchY() * size.cellRows + 1 - gridOffset;
    }
};

// Calls set(x, y, colour) for each of the 112 pixels of one cell, colour being
// foreground where the glyph bit is set and 0 (black) elsewhere.
template <typename SetPixel>
void ForEachCellPixel(const LogoDocument& document, const CanvasGeometry& canvas, int column,
                      int row, int foreground, SetPixel&& set) {
    const int left = canvas.cellLeft(column);
    const int top = canvas.cellTop(row);
    for (int line = 0; line < CellHeight; ++line) {
        const int bits = document.GlyphRow(column, row, line);
        for (int bit = 7; bit >= 0; --bit) {
            set(left + 7 - bit, top + line, (bits >> bit & 1) != 0 ? foreground : 0);
        }
    }
}

// Calls set(x, y, colour) for every logo pixel, in the colours the logo shows:
// a cell's attribute on its set bits (black when the attribute is above 15),
// black elsewhere. Grid gaps are never touched.
template <typename SetPixel>
void ForEachLogoPixel(const LogoDocument& document, const CanvasGeometry& canvas, SetPixel&& set) {
    const LogoLayout size = document.layout();
    for (int cell = 0; cell < size.cellCount; ++cell) {
        const int column = cell % CellColumns;
        const int row = cell / CellColumns;
        const int attribute = document.CellAttribute(column, row);
        ForEachCellPixel(document, canvas, column, row, attribute > 15 ? 0 : attribute, set);
    }
}

} // namespace kalvero
