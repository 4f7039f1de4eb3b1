// The functions the page calls. Commands that may wait for the user are
// called with ccall's {async: true}; the others return at once.

#include "PageTexts.h"
#include "PictureFile.h"
#include "WebEditor.h"
#include "editor/Shortcuts.h"

#include <emscripten.h>
#include <memory>
#include <string>
#include <string_view>

using kalvero::CanvasKey;
using kalvero::EditorControls;
using kalvero::EditorSession;
using kalvero::PointerKind;
using kalvero::web::WebEditor;

namespace {

std::unique_ptr<WebEditor> editor;

// The names the page calls the module's commands, options, pointer kinds and
// canvas keys by: its buttons' and check boxes' ids, and the browser's key
// names. kalvero_contract hands them to the page, which stops its start when
// it uses a name the module does not know.
template <typename T> struct Name {
    const char* name;
    T value;
};

// Member functions, so that Asyncify, which makes EditorSession's functions
// able to wait for a dialog, sees whom the command calls.
using Run = void (EditorSession::*)();
const Name<Run> Commands[] = {
    {"LadeEpa_Command", &EditorSession::LadeEpa_Command_Click},
    {"SichEpa_Command", &EditorSession::SichEpa_Command_Click},
    {"LadeBmp_Command", &EditorSession::LadeBmp_Command_Click},
    {"CreateEpa", &EditorSession::CreateEpa_Click},
    {"EpaToBmp", &EditorSession::EpaToBmp_Click},
    // The full-screen logo in place of the boot logo and back.
    {"switchLogo", &EditorSession::switchImageLogo},
};
const Name<bool EditorControls::*> Options[] = {
    {"Backup", &EditorControls::backup},
    {"Deutsch", &EditorControls::german},
    {"SaveCheck", &EditorControls::messages},
    {"InversCheck", &EditorControls::negative},
};
const Name<PointerKind> Pointers[] = {
    {"press", PointerKind::Press}, {"move", PointerKind::Move}, {"release", PointerKind::Release}};
const Name<CanvasKey> Keys[] = {{"ArrowLeft", CanvasKey::Left},
                                {"ArrowRight", CanvasKey::Right},
                                {"ArrowUp", CanvasKey::Up},
                                {"ArrowDown", CanvasKey::Down},
                                {" ", CanvasKey::Paint}};

template <typename T, std::size_t N>
const T* Find(const Name<T> (&table)[N], std::string_view name) {
    for (const Name<T>& entry : table) {
        if (name == entry.name) {
            return &entry.value;
        }
    }
    return nullptr;
}

template <typename T, std::size_t N> std::string JsonNames(const Name<T> (&table)[N]) {
    std::string list;
    for (const Name<T>& entry : table) {
        list += (list.empty() ? "\"" : ",\"") + std::string(entry.name) + "\"";
    }
    return "[" + list + "]";
}

std::string JsonShortcuts() {
    std::string list;
    for (const kalvero::Shortcut& shortcut : kalvero::Shortcuts) {
        list += std::string(list.empty() ? "" : ",") + "[\"" + std::string(shortcut.keys) +
                "\",\"" + std::string(shortcut.action) + "\"]";
    }
    return "[" + list + "]";
}

EM_JS(void, PageShowBootView, (const std::uint8_t* rgb, int width, int height),
      { Module.face.showBootView(HEAPU8.slice(rgb, rgb + 3 * width * height), width, height); });

} // namespace

extern "C" {

// Starts the editor with the options the page kept.
EMSCRIPTEN_KEEPALIVE void kalvero_start(int german, int backup, int messages, int negative) {
    editor = std::make_unique<WebEditor>();
    EditorControls& controls = editor->session().controls();
    controls.german = german != 0;
    controls.backup = backup != 0;
    controls.messages = messages != 0;
    controls.negative = negative != 0;
    editor->session().context().showControls();
    editor->view().redrawCanvas();
}

// The names of the commands, options, pointer kinds and keys, and the
// editor's shortcuts as [keys, action] pairs, as JSON.
EMSCRIPTEN_KEEPALIVE const char* kalvero_contract() {
    static const std::string contract =
        "{\"commands\":" + JsonNames(Commands) + ",\"options\":" + JsonNames(Options) +
        ",\"pointers\":" + JsonNames(Pointers) + ",\"keys\":" + JsonNames(Keys) +
        ",\"shortcuts\":" + JsonShortcuts() + "}";
    return contract.c_str();
}

EMSCRIPTEN_KEEPALIVE void kalvero_command(const char* name) {
    if (const Run* run = Find(Commands, name)) {
        (editor->session().*(*run))();
        editor->showKeyCell();
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

EMSCRIPTEN_KEEPALIVE void kalvero_set_option(const char* name, int on) {
    if (bool EditorControls::*const* option = Find(Options, name)) {
        editor->session().controls().*(*option) = on != 0;
    }
}

EMSCRIPTEN_KEEPALIVE void kalvero_show_grid(int shown) {
    editor->showGrid(shown != 0);
}

EMSCRIPTEN_KEEPALIVE void kalvero_pointer(const char* kind, double x, double y, int buttons,
                                          int colour) {
    if (const PointerKind* pointer = Find(Pointers, kind)) {
        editor->pointer(*pointer, x, y, buttons, colour);
    }
}

EMSCRIPTEN_KEEPALIVE void kalvero_key(const char* key, int colour) {
    if (const CanvasKey* canvasKey = Find(Keys, key)) {
        editor->key(*canvasKey, colour);
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
