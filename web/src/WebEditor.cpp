#include "WebEditor.h"

#include "document/LogoRaster.h"

#include <algorithm>
#include <emscripten.h>

namespace kalvero::web {
namespace {

EM_JS(void, PageShowReadout, (const char* text), { Module.face.showReadout(UTF8ToString(text)); });

EM_JS(void, PageShowKeyCell, (int left, int top, int width, int height),
      { Module.face.showKeyCell(left, top, width, height); });

} // namespace

WebEditor::WebEditor() : session_(dialogs_, view_) {
    view_.attach(session_.document());
}

bool WebEditor::pointAt(double x, double y) {
    const std::optional<PointerCell> cell =
        CellUnderPointer(x, y, session_.document().TallLogo(), view_.gridShown() ? 0 : 1);
    if (cell) {
        lastCell_ = *cell;
    }
    return cell.has_value();
}

void WebEditor::paint(int colour) {
    if (session_.painting().paint(lastCell_.CellColumn, lastCell_.CellRow,
                                  static_cast<std::uint8_t>(colour))) {
        view_.redrawCanvas();
    }
}

void WebEditor::pointer(int kind, double x, double y, int buttons, int colour) {
    const LogoDocument& document = session_.document();
    if (kind == 2) {
        session_.painting().endStroke();
        return;
    }
    if (kind == 0) {
        // Every button paints.
        session_.painting().endStroke();
        if (pointAt(x, y) && document.paintable()) {
            paint(colour);
        }
        return;
    }
    if (document.showsFullScreen() || !pointAt(x, y)) {
        return;
    }
    PageShowReadout(ReadoutText(lastCell_).c_str());
    if (document.paintable() && buttons == 1) {
        paint(colour);
    }
}

void WebEditor::key(int key, int colour) {
    const int lastRow = session_.document().layout().cellRows - 1;
    keyColumn_ = std::clamp(keyColumn_ + (key == 0 ? -1 : key == 1 ? 1 : 0), 0, CellColumns - 1);
    keyRow_ = std::clamp(keyRow_ + (key == 2 ? -1 : key == 3 ? 1 : 0), 0, lastRow);
    if (key == 4 && session_.document().paintable()) {
        lastCell_.CellColumn = keyColumn_;
        lastCell_.CellRow = keyRow_;
        session_.painting().endStroke();
        paint(colour);
        session_.painting().endStroke();
    }
    showKeyCell();
}

void WebEditor::showKeyCell() {
    if (session_.document().showsFullScreen()) {
        PageShowKeyCell(0, 0, 0, 0);
        return;
    }
    // Around the cell, over the grid lines when they are shown.
    keyRow_ = std::min(keyRow_, session_.document().layout().cellRows - 1);
    const int offset = view_.gridShown() ? 0 : 1;
    PageShowKeyCell((CellWidth + 1 - offset) * keyColumn_ - offset,
                    (CellHeight + 1 - offset) * keyRow_ - offset, CellWidth + 2, CellHeight + 2);
}

void WebEditor::undo() {
    if (!session_.painting().undo().empty()) {
        view_.redrawCanvas();
    }
}

void WebEditor::redo() {
    if (!session_.painting().redo().empty()) {
        view_.redrawCanvas();
    }
}

void WebEditor::showGrid(bool shown) {
    view_.setGridShown(shown);
    view_.redrawCanvas();
    showKeyCell();
}

} // namespace kalvero::web
