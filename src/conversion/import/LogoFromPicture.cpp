#include "conversion/import/LogoFromPicture.h"

#include "conversion/import/CellColour.h"
#include "document/EpaFormat.h"
#include "document/LogoDocument.h"

namespace kalvero {

std::vector<std::uint8_t> EpaLogoFromPicture(const SwatchImage& picture, Dither dither) {
    LogoDocument logo(picture.height == TallLogoHeight);
    logo.InitFromTemplate();
    const LogoLayout size = logo.layout();

    // What each cell may show: black, or its one foreground colour.
    std::vector<std::array<Swatch, 2>> cellChoices;
    std::array<Swatch, CellWidth * CellHeight> cell;
    for (int row = 0; row < size.cellRows; ++row) {
        for (int column = 0; column < CellColumns; ++column) {
            for (std::size_t i = 0; i < cell.size(); ++i) {
                cell[i] = picture.at(column * CellWidth + static_cast<int>(i) % CellWidth,
                                     row * CellHeight + static_cast<int>(i) / CellWidth);
            }
            const int colour = BestForeground(cell, dither);
            logo.SetCellAttribute(column, row, static_cast<std::uint8_t>(colour));
            cellChoices.push_back(
                {LogoSwatches()[0], LogoSwatches()[static_cast<std::size_t>(colour)]});
        }
    }
    const std::vector<std::uint8_t> lit =
        DitherPicture(picture, dither, [&](int x, int y) -> std::span<const Swatch> {
            return cellChoices[static_cast<std::size_t>(y / CellHeight * CellColumns +
                                                        x / CellWidth)];
        });

    for (int y = 0; y < size.height; ++y) {
        for (int x = 0; x < LogoWidth; ++x) {
            if (lit[static_cast<std::size_t>(y * LogoWidth + x)] != 0) {
                const int column = x / CellWidth, row = y / CellHeight, line = y % CellHeight;
                logo.SetGlyphRow(column, row, line,
                                 static_cast<std::uint8_t>(logo.GlyphRow(column, row, line) |
                                                           0x80 >> (x % CellWidth)));
            }
        }
    }
    return WriteEpa(logo);
}

} // namespace kalvero
