#pragma once

// Sizes and byte positions of an EPA version-1 logo. Offsets here are 0-based
// file offsets; the document addresses the same bytes at positions offset + 1.

namespace kalvero {

inline constexpr int LogoWidth = 136;
inline constexpr int CellWidth = 8;
inline constexpr int CellHeight = 14;
inline constexpr int CellColumns = 17;
inline constexpr int ShortCellRows = 6;
inline constexpr int TallCellRows = 9;
inline constexpr int ShortLogoHeight = ShortCellRows * CellHeight; // 84
inline constexpr int TallLogoHeight = TallCellRows * CellHeight;   // 126
inline constexpr int ShortEpaLength = 1602;
inline constexpr int TallEpaLength = 2367;
inline constexpr int EpaDataSize = TallEpaLength;
inline constexpr int EpaTrailerLength = 70;
inline constexpr int EpaHeaderTemplateLength = 2 + CellColumns * TallCellRows; // 155

// The length of a version-1 logo of columns x rows cells: the two counts, an
// attribute byte and a glyph a cell, then the trailer.
constexpr int EpaLengthFor(int columns, int rows) {
    return 2 + columns * rows * (1 + CellHeight) + EpaTrailerLength;
}

struct LogoLayout {
    int cellRows;      // 6 or 9
    int cellCount;     // 102 or 153
    int height;        // 84 or 126 pixel lines
    int glyphOffset;   // first glyph byte: 104 or 155
    int trailerOffset; // first trailer byte: 1532 or 2297
    int fileLength;    // 1602 or 2367
};

constexpr LogoLayout LayoutFor(bool tall) {
    const int rows = tall ? TallCellRows : ShortCellRows;
    const int cells = CellColumns * rows;
    return LogoLayout{rows,
                      cells,
                      rows * CellHeight,
                      2 + cells,
                      2 + cells * (1 + CellHeight),
                      EpaLengthFor(CellColumns, rows)};
}

} // namespace kalvero
