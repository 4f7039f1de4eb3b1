// The functions the page calls. Commands that may wait for the user are
// called with ccall's {async: true}; the others return at once.

#include "PageTexts.h"
#include "PictureFile.h"
#include "WebEditor.h"

#include <emscripten.h>
#include <memory>

using kalvero::web::WebEditor;

namespace {

std::unique_ptr<WebEditor> editor;

EM_JS(void, PageShowBootView, (const std::uint8_t* rgb, int width, int height),
      { Module.face.showBootView(HEAPU8.slice(rgb, rgb + 3 * width * height), width, height); });

} // namespace

extern "C" {

// Starts the editor with the options the page kept.
EMSCRIPTEN_KEEPALIVE void kalvero_start(int german, int backup, int messages, int negative) {
    editor = std::make_unique<WebEditor>();
    kalvero::EditorControls& controls = editor->session().controls();
    controls.german = german != 0;
    controls.backup = backup != 0;
    controls.messages = messages != 0;
    controls.negative = negative != 0;
    editor->session().context().showControls();
    editor->view().redrawCanvas();
}

// 0 Load EPA, 1 Save EPA, 2 Load BMP, 3 Create EPA, 4 EPAtoBMP, 5 the
// full-screen logo in place of the boot logo and back.
EMSCRIPTEN_KEEPALIVE void kalvero_command(int command) {
    kalvero::EditorSession& session = editor->session();
    switch (command) {
    case 0:
        session.LadeEpa_Command_Click();
        break;
    case 1:
        session.SichEpa_Command_Click();
        break;
    case 2:
        session.LadeBmp_Command_Click();
        break;
    case 3:
        session.CreateEpa_Click();
        break;
    case 4:
        session.EpaToBmp_Click();
        break;
    case 5:
        session.switchImageLogo();
        editor->showKeyCell();
        break;
    default:
        break;
    }
}

// A file dropped on the page, put in the memory file system at path; a
// picture the browser decoded is loaded as the bitmap made of it.
EMSCRIPTEN_KEEPALIVE void kalvero_drop(const char* path) {
    const std::string dropped = path;
    editor->session().loadDroppedFile(kalvero::web::IsDecodedPicture(dropped)
                                          ? kalvero::web::BitmapFromDecodedPicture(dropped)
                                          : dropped);
}

// Exit: the save-first question; 1 when the page may be left, 0 when the
// user chose to go on.
EMSCRIPTEN_KEEPALIVE int kalvero_exit() {
    return editor->session().mayExit() ? 1 : 0;
}

// 0 Backup, 1 German, 2 Messages, 3 negative.
EMSCRIPTEN_KEEPALIVE void kalvero_set_option(int option, int on) {
    kalvero::EditorControls& controls = editor->session().controls();
    bool* const options[] = {&controls.backup, &controls.german, &controls.messages,
                             &controls.negative};
    if (option >= 0 && option < 4) {
        *options[option] = on != 0;
    }
}

EMSCRIPTEN_KEEPALIVE void kalvero_show_grid(int shown) {
    editor->showGrid(shown != 0);
}

// kind: 0 pressed, 1 moved, 2 let go.
EMSCRIPTEN_KEEPALIVE void kalvero_pointer(int kind, double x, double y, int buttons, int colour) {
    if (kind >= 0 && kind <= 2) {
        editor->pointer(static_cast<kalvero::PointerKind>(kind), x, y, buttons, colour);
    }
}

// 0 left, 1 right, 2 up, 3 down move the keyboard's cell, 4 paints it.
EMSCRIPTEN_KEEPALIVE void kalvero_key(int key, int colour) {
    if (key >= 0 && key <= 4) {
        editor->key(static_cast<kalvero::CanvasKey>(key), colour);
    }
}

EMSCRIPTEN_KEEPALIVE void kalvero_undo() {
    editor->undo();
}

EMSCRIPTEN_KEEPALIVE void kalvero_redo() {
    editor->redo();
}

EMSCRIPTEN_KEEPALIVE int kalvero_unsaved() {
    return editor->session().unsaved() ? 1 : 0;
}

// The logo on the canvas as the PC shows it at power-on, handed to the page;
// 0 when there is none.
EMSCRIPTEN_KEEPALIVE int kalvero_boot_view() {
    const std::optional<kalvero::RgbImage> screen = editor->session().bootView();
    if (!screen) {
        return 0;
    }
    const kalvero::RgbImage& image = *screen;
    PageShowBootView(reinterpret_cast<const std::uint8_t*>(image.pixels.data()), image.width,
                     image.height);
    return 1;
}

// The page's texts in German (1) or English (0), as JSON; valid until the
// next call.
EMSCRIPTEN_KEEPALIVE const char* kalvero_texts(int german) {
    static std::string texts;
    texts = kalvero::web::PageTextsJson(german != 0 ? kalvero::Language::German
                                                    : kalvero::Language::English);
    return texts.c_str();
}

} // extern "C"
