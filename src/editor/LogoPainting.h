#pragma once

#include "editor/PaintHistory.h"

#include <cstdint>
#include <vector>

namespace kalvero {

class CommandContext;

// Painting cells of the version-1 logo, with undo and redo. Any change makes
// Save EPA usable again; the face draws the cells it is told about.
class LogoPainting {
public:
    explicit LogoPainting(CommandContext& context) : context_(context) {}

    // Gives the cell the palette index; nothing happens while no version-1
    // logo is on the canvas. True when the cell was painted.
    bool paint(int column, int row, std::uint8_t index);
    // The button was let go: the next paint opens a new step.
    void endStroke() { history_.endStroke(); }
    // The cells changed by taking back or doing again the last step, with
    // the attributes they had before and have after.
    std::vector<CellChange> undo();
    std::vector<CellChange> redo();

private:
    std::vector<CellChange> restore(bool undone);
    void changed();

    CommandContext& context_;
    PaintHistory history_;
};

} // namespace kalvero
