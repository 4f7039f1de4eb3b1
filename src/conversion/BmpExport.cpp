#include "conversion/BmpExport.h"

#include "conversion/BmpWriter.h"

#include <array>

namespace kalvero {

std::vector<std::uint8_t> MonoBmpFromLogo(const LogoDocument& document) {
    const LogoLayout size = document.layout();
    std::array<std::uint8_t, TallLogoHeight * CellColumns> rows{};
    for (int cellRow = 0; cellRow < size.cellRows; ++cellRow) {
        for (int column = 0; column < CellColumns; ++column) {
            for (int line = 0; line < CellHeight; ++line) {
                rows[static_cast<std::size_t>((cellRow * CellHeight + line) * CellColumns +
                                              column)] = document.GlyphRow(column, cellRow, line);
            }
        }
    }
    return MonoBmpFile(rows, size.height);
}

} // namespace kalvero
