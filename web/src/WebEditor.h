#pragma once

#include "WebDialogs.h"
#include "WebView.h"
#include "editor/EditorSession.h"

namespace kalvero::web {

// The editor on the page: the session with the page's dialogs and view; the
// pointer and the keys go to the session's canvas input, and what comes out
// is drawn.
class WebEditor {
public:
    WebEditor();

    EditorSession& session() { return session_; }
    WebView& view() { return view_; }

    // Position in drawing-area pixels; buttons: the mask held (1 left, 2
    // right, 4 middle); colour: the palette index chosen.
    void pointer(PointerKind kind, double x, double y, int buttons, int colour);
    void key(CanvasKey key, int colour);
    void undo();
    void redo();
    void showGrid(bool shown);
    // The frame around the keyboard's cell, handed to the page.
    void showKeyCell();

private:
    void draw(const CanvasOutcome& outcome);

    WebDialogs dialogs_;
    WebView view_;
    EditorSession session_;
};

} // namespace kalvero::web
