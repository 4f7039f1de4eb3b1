#include "WebEditor.h"

#include <emscripten.h>

namespace kalvero::web {
namespace {

EM_JS(void, PageShowReadout, (const char* text), { Module.face.showReadout(UTF8ToString(text)); });

EM_JS(void, PageShowKeyCell, (int left, int top, int width, int height),
      { Module.face.showKeyCell(left, top, width, height); });

} // namespace

WebEditor::WebEditor() : session_(dialogs_, view_) {
    view_.attach(session_.document(), session_.canvasInput());
}

void WebEditor::draw(const CanvasOutcome& outcome) {
    if (outcome.readout) {
        PageShowReadout(outcome.readout->c_str());
    }
    if (outcome.painted) {
        view_.redrawCanvas();
    }
}

void WebEditor::pointer(PointerKind kind, double x, double y, int buttons, int colour) {
    draw(session_.canvasInput().pointer(kind, x, y, buttons, static_cast<std::uint8_t>(colour)));
}

void WebEditor::key(CanvasKey key, int colour) {
    draw(session_.canvasInput().key(key, static_cast<std::uint8_t>(colour)));
    showKeyCell();
}

void WebEditor::showKeyCell() {
    const CanvasRect frame = session_.canvasInput().keyCell();
    PageShowKeyCell(frame.left, frame.top, frame.width, frame.height);
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
    session_.canvasInput().setGridShown(shown);
    view_.redrawCanvas();
    showKeyCell();
}

} // namespace kalvero::web
