#include "editor/LogoPainting.h"

#include "editor/CommandContext.h"

namespace kalvero {

bool LogoPainting::paint(int column, int row, std::uint8_t index) {
    LogoDocument& document = context_.document;
    if (!document.paintable()) {
        return false;
    }
    history_.followLogo(document.generation());
    const std::uint8_t before = document.CellAttribute(column, row);
    history_.record(CellColumns * row + column, before, index);
    document.SetCellAttribute(column, row, index);
    if (before != index) {
        changed();
    }
    return true;
}

std::vector<CellChange> LogoPainting::undo() {
    return restore(true);
}

std::vector<CellChange> LogoPainting::redo() {
    return restore(false);
}

std::vector<CellChange> LogoPainting::restore(bool undone) {
    LogoDocument& document = context_.document;
    if (!document.paintable()) {
        return {};
    }
    history_.followLogo(document.generation());
    std::vector<CellChange> step = undone ? history_.undo() : history_.redo();
    for (const CellChange& change : step) {
        document.SetCellAttribute(change.cell % CellColumns, change.cell / CellColumns,
                                  undone ? change.before : change.after);
    }
    if (!step.empty()) {
        changed();
    }
    return step;
}

void LogoPainting::changed() {
    // Painting after a save makes Save EPA usable again.
    if (!context_.controls.saveEnabled) {
        context_.controls.saveEnabled = true;
        context_.showControls();
    }
}

} // namespace kalvero
