#include "conversion/MonoConversion.h"

#include "conversion/BmpFormat.h"

#include <array>

namespace kalvero {

void ConvertMonoBmp(LogoDocument& document, std::span<const std::uint8_t> bmpData, bool negative) {
    const LogoLayout size = document.layout();
    document.ClearLogo();
    document.InitFromTemplate();

    // The bitmap stores its bottom row first; BmpRows holds them top-down.
    std::array<std::uint8_t, TallLogoHeight * CellColumns> bmpRows{};
    for (int row = 0; row < size.height; ++row) {
        const std::size_t source =
            MonoBmpPixelOffset + static_cast<std::size_t>(size.height - 1 - row) * MonoBmpRowLength;
        for (int byte = 0; byte < CellColumns; ++byte) {
            const std::size_t at = source + static_cast<std::size_t>(byte);
            bmpRows[static_cast<std::size_t>(row * CellColumns + byte)] =
                at < bmpData.size() ? bmpData[at] : 0;
        }
    }

    for (int cellRow = 0; cellRow < size.cellRows; ++cellRow) {
        for (int column = 0; column < CellColumns; ++column) {
            for (int line = 0; line < CellHeight; ++line) {
                const std::uint8_t bits = bmpRows[static_cast<std::size_t>(
                    (cellRow * CellHeight + line) * CellColumns + column)];
                document.SetGlyphRow(column, cellRow, line,
                                     negative ? static_cast<std::uint8_t>(255 - bits) : bits);
            }
        }
    }
}

} // namespace kalvero
