#pragma once

#include "editor/PointerCell.h"

#include <cstdint>
#include <optional>
#include <string>

namespace kalvero {

class LogoDocument;
class LogoPainting;

enum class PointerKind { Press, Move, Release };
// The arrow keys move the keyboard's cell, Paint (the space bar) paints it.
enum class CanvasKey { Left, Right, Up, Down, Paint };

// A rectangle in drawing-area pixels; width 0 for none.
struct CanvasRect {
    int left = 0;
    int top = 0;
    int width = 0;
    int height = 0;
    bool operator==(const CanvasRect&) const = default;
};

// What an input changed, for the face to draw.
struct CanvasOutcome {
    std::optional<PointerCell> painted; // the cell given the colour
    std::optional<std::string> readout; // the pointer's new read-out
};

// The canvas's input, the same in every face: the pointer and the keys in
// cells, the stroke that one undo takes back, the keyboard's cell and the
// canvas's size. Positions are in pixels of the drawing area.
class CanvasInput {
public:
    CanvasInput(const LogoDocument& document, LogoPainting& painting)
        : document_(document), painting_(painting) {}

    // buttons: the mask held (1 left, 2 right, 4 middle). A press paints with
    // any button and starts a stroke; a move reads out and paints with the
    // left button alone; a release ends the stroke.
    CanvasOutcome pointer(PointerKind kind, double x, double y, int buttons, std::uint8_t colour);
    // Paint is a stroke of its own.
    CanvasOutcome key(CanvasKey key, std::uint8_t colour);

    // Cells stand one pixel apart on the grid while it is shown.
    void setGridShown(bool shown) { gridShown_ = shown; }
    bool gridShown() const { return gridShown_; }
    int gridOffset() const { return gridShown_ ? 0 : 1; }
    // Around the keyboard's cell, over the grid lines when they are shown;
    // none while the full-screen logo is on the canvas.
    CanvasRect keyCell() const;
    // The drawing area: 155 x 136 (92 for a short logo) with the grid, 137 x
    // 126 (84) without; the full-screen logo takes the tall size.
    CanvasRect size() const;

private:
    std::optional<PointerCell> paint(const PointerCell& cell, std::uint8_t colour);

    const LogoDocument& document_;
    LogoPainting& painting_;
    bool gridShown_ = true;
    int keyColumn_ = 0;
    int keyRow_ = 0;
};

} // namespace kalvero
