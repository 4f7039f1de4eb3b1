#pragma once

#include "WebDialogs.h"
#include "WebView.h"
#include "editor/EditorSession.h"
#include "editor/PointerCell.h"

#include <string>

namespace kalvero::web {

// The editor on the page: the session with the page's dialogs and view, and
// what the window's canvas does with the pointer and the keys.
class WebEditor {
public:
    WebEditor();

    EditorSession& session() { return session_; }
    WebView& view() { return view_; }

    // kind: 0 pressed, 1 moved, 2 let go; position in drawing-area pixels;
    // buttons: the mask held (1 left, 2 right, 4 middle); colour: the palette
    // index chosen.
    void pointer(int kind, double x, double y, int buttons, int colour);
    // 0 left, 1 right, 2 up, 3 down move the keyboard's cell, 4 paints it.
    void key(int key, int colour);
    void undo();
    void redo();
    void showGrid(bool shown);
    // The frame around the keyboard's cell, in drawing-area pixels.
    void showKeyCell();

private:
    bool pointAt(double x, double y);
    void paint(int colour);

    WebDialogs dialogs_;
    WebView view_;
    EditorSession session_;
    PointerCell lastCell_{};
    int keyColumn_ = 0;
    int keyRow_ = 0;
};

} // namespace kalvero::web
