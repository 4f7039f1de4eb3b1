#include "editor/CanvasInput.h"

#include "document/LogoDocument.h"
#include "document/LogoGeometry.h"
#include "editor/LogoPainting.h"

#include <algorithm>

namespace kalvero {

std::optional<PointerCell> CanvasInput::paint(const PointerCell& cell, std::uint8_t colour) {
    if (!document_.paintable() || !painting_.paint(cell.CellColumn, cell.CellRow, colour)) {
        return std::nullopt;
    }
    return cell;
}

CanvasOutcome CanvasInput::pointer(PointerKind kind, double x, double y, int buttons,
                                   std::uint8_t colour) {
    if (kind != PointerKind::Move) {
        painting_.endStroke();
    }
    if (kind == PointerKind::Release) {
        return {};
    }
    if (kind == PointerKind::Move && document_.showsFullScreen()) {
        return {};
    }
    const std::optional<PointerCell> cell =
        CellUnderPointer(x, y, document_.TallLogo(), gridOffset());
    if (!cell) {
        return {};
    }
    if (kind == PointerKind::Press) {
        return {paint(*cell, colour), std::nullopt};
    }
    return {buttons == 1 ? paint(*cell, colour) : std::nullopt, ReadoutText(*cell)};
}

CanvasOutcome CanvasInput::key(CanvasKey key, std::uint8_t colour) {
    const int lastRow = document_.layout().cellRows - 1;
    keyColumn_ = std::clamp(keyColumn_ + (key == CanvasKey::Left    ? -1
                                          : key == CanvasKey::Right ? 1
                                                                    : 0),
                            0, CellColumns - 1);
    keyRow_ = std::clamp(std::min(keyRow_, lastRow) + (key == CanvasKey::Up     ? -1
                                                       : key == CanvasKey::Down ? 1
                                                                                : 0),
                         0, lastRow);
    if (key != CanvasKey::Paint) {
        return {};
    }
    painting_.endStroke();
    const std::optional<PointerCell> painted =
        paint(PointerCell{keyColumn_, keyRow_, 0, 0}, colour);
    painting_.endStroke();
    return {painted, std::nullopt};
}

CanvasRect CanvasInput::keyCell() const {
    if (document_.showsFullScreen()) {
        return {};
    }
    const int offset = gridOffset();
    const int row = std::min(keyRow_, document_.layout().cellRows - 1);
    return {(CellWidth + 1 - offset) * keyColumn_ - offset,
            (CellHeight + 1 - offset) * row - offset, CellWidth + 2, CellHeight + 2};
}

CanvasRect CanvasInput::size() const {
    const bool tall = document_.TallLogo() || document_.showsFullScreen();
    if (gridShown_) {
        return {0, 0, 155, tall ? 136 : 92};
    }
    return {0, 0, 137, tall ? 126 : 84};
}

} // namespace kalvero
