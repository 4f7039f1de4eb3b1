#pragma once

#include <optional>
#include <string>

namespace kalvero {

// The cell under the pointer, and the logo pixel for the read-out.
struct PointerCell {
    int CellColumn;
    int CellRow;
    int pixelColumn; // 1-based; 0 or negative on grid lines left of or above the logo
    int pixelLine;
};

// Nothing when the pointer is right of x = 152 or below y = 89 (short logo) or
// 134 (tall logo), whatever the grid; there is no lower limit, so a drag that
// leaves the canvas to the left or top goes on at column or row 0.
std::optional<PointerCell> CellUnderPointer(double x, double y, bool tallLogo, int gridOffset);

// The three lines of the read-out, joined by CR LF.
std::string ReadoutText(const PointerCell& cell);

// n with a sign character (blank or "-"), padded on the left to 4 characters.
std::string ReadoutNumber(int n);

} // namespace kalvero
