#include "editor/PointerCell.h"

#include "document/LogoGeometry.h"

#include <algorithm>
#include <cmath>

namespace kalvero {

std::optional<PointerCell> CellUnderPointer(double x, double y, bool tallLogo, int gridOffset) {
    const int pixelX = static_cast<int>(std::floor(x));
    const int pixelY = static_cast<int>(std::floor(y));
    if (pixelX > 152 || pixelY > (tallLogo ? 134 : 89)) {
        return std::nullopt;
    }
    const int lastRow = (tallLogo ? TallCellRows : ShortCellRows) - 1;
    PointerCell cell{};
    cell.CellColumn = std::clamp(static_cast<int>(std::floor(x / (CellWidth + 1 - gridOffset))), 0,
                                 CellColumns - 1);
    cell.CellRow =
        std::clamp(static_cast<int>(std::floor(y / (CellHeight + 1 - gridOffset))), 0, lastRow);
    // With the grid shown, every grid line passed on the way is not a logo pixel.
    cell.pixelColumn = gridOffset == 0 ? pixelX - cell.CellColumn : pixelX + 1;
    cell.pixelLine = gridOffset == 0 ? pixelY - cell.CellRow : pixelY + 1;
    return cell;
}

std::string ReadoutNumber(int n) {
    std::string text = (n < 0 ? "-" : " ") + std::to_string(n < 0 ? -static_cast<long>(n) : n);
    if (text.size() < 4) {
        text.insert(0, 4 - text.size(), ' ');
    }
    return text;
}

std::string ReadoutText(const PointerCell& cell) {
    return "Pixel  x:" + ReadoutNumber(cell.pixelColumn) + " y:" + ReadoutNumber(cell.pixelLine) +
           "\r\nKoord. x:" + ReadoutNumber(cell.CellColumn) + " y:" + ReadoutNumber(cell.CellRow) +
           "\r\nOffset  :" + ReadoutNumber(CellColumns * cell.CellRow + cell.CellColumn);
}

} // namespace kalvero
