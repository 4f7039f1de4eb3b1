// The functions the page calls. Commands that may wait for the user are
// called with ccall's {async: true}; the others return at once.

#include "PageTexts.h"
#include "PictureFile.h"
#include "WebDialogs.h"
#include "WebEditor.h"
#include "editor/Dialogs.h"
#include "editor/Shortcuts.h"
#include "editor/WindowPlaces.h"

#include <emscripten.h>
#include <memory>
#include <string>
#include <string_view>

using kalvero::CanvasKey;
using kalvero::EditorControls;
using kalvero::EditorSession;
using kalvero::PointerKind;
using kalvero::web::BackupWrite;
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
// The message box's icons, buttons and answers, and how a backup's write
// into the user's folder ended: the page speaks of them by name.
const Name<kalvero::MessageIcon> Icons[] = {{"none", kalvero::MessageIcon::None},
                                            {"information", kalvero::MessageIcon::Information},
                                            {"question", kalvero::MessageIcon::Question}};
const Name<kalvero::MessageButtons> ButtonSets[] = {
    {"ok", kalvero::MessageButtons::Ok},
    {"yesNo", kalvero::MessageButtons::YesNo},
    {"yesNoCancel", kalvero::MessageButtons::YesNoCancel}};
const Name<int> Answers[] = {{"ok", kalvero::AnswerOk},
                             {"cancel", kalvero::AnswerCancel},
                             {"yes", kalvero::AnswerYes},
                             {"no", kalvero::AnswerNo}};
const Name<BackupWrite> BackupWrites[] = {{"written", BackupWrite::Written},
                                          {"denied", BackupWrite::Denied},
                                          {"diskFull", BackupWrite::DiskFull},
                                          {"failed", BackupWrite::Failed}};
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

// A table of numbers as {name: number}.
template <typename T, std::size_t N> std::string JsonNumbers(const Name<T> (&table)[N]) {
    std::string list;
    for (const Name<T>& entry : table) {
        list += (list.empty() ? "\"" : ",\"") + std::string(entry.name) +
                "\":" + std::to_string(static_cast<int>(entry.value));
    }
    return "{" + list + "}";
}

std::string JsonShortcuts() {
    std::string list;
    for (const kalvero::Shortcut& shortcut : kalvero::Shortcuts) {
        list += std::string(list.empty() ? "" : ",") + "[\"" + std::string(shortcut.keys) +
                "\",\"" + std::string(shortcut.action) + "\"]";
    }
    return "[" + list + "]";
}

std::string JsonPixels(const kalvero::ControlPlace& place) {
    using kalvero::PixelsOfTwips;
    return "[" + std::to_string(PixelsOfTwips(place.left)) + "," +
           std::to_string(PixelsOfTwips(place.top)) + "," +
           std::to_string(PixelsOfTwips(place.width)) + "," +
           std::to_string(PixelsOfTwips(place.height)) + "]";
}

std::string JsonPlace(const kalvero::ControlPlace& place, const std::string& name) {
    return "\"" + name + "\":" + JsonPixels(place);
}

// A window as {"size": [width, height], "controls": {name: [left, top,
// width, height]}}, in pixels.
template <std::size_t N>
std::string JsonWindow(const kalvero::ControlPlace& client,
                       const kalvero::ControlPlace (&places)[N], const std::string& more = {}) {
    std::string list;
    for (const kalvero::ControlPlace& place : places) {
        list += (list.empty() ? "" : ",") + JsonPlace(place, std::string(place.name));
    }
    return "\"" + std::string(client.name) + "\":{\"size\":[" +
           std::to_string(kalvero::PixelsOfTwips(client.width)) + "," +
           std::to_string(kalvero::PixelsOfTwips(client.height)) + "],\"controls\":{" + list +
           more + "}}";
}

// The palette's controls are placed inside Farbauswahl.
std::string JsonPlaces() {
    std::string palette = "," + JsonPlace(kalvero::ColourBarPlace, "FarbAuswahlBalken");
    for (int index = 0; index < 16; ++index) {
        const kalvero::ControlPlace option = kalvero::ColourOptionPlace(index);
        palette += "," + JsonPlace(option, std::string(option.name) + std::to_string(index));
    }
    return "{" + JsonWindow(kalvero::Form1ClientPlace, kalvero::Form1Places, palette) + "," +
           JsonWindow(kalvero::HinweisClientPlace, kalvero::HinweisPlaces) + "," +
           JsonWindow(kalvero::Form3ClientPlace, kalvero::Form3Places) + "}";
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

// The names of the commands, options, pointer kinds and keys, the editor's
// shortcuts as [keys, action] pairs, the numbers of the message box's icons,
// buttons and answers and of a backup's outcome by name, and the controls'
// places, as JSON.
EMSCRIPTEN_KEEPALIVE const char* kalvero_contract() {
    static const std::string contract =
        "{\"commands\":" + JsonNames(Commands) + ",\"options\":" + JsonNames(Options) +
        ",\"pointers\":" + JsonNames(Pointers) + ",\"keys\":" + JsonNames(Keys) +
        ",\"shortcuts\":" + JsonShortcuts() + ",\"icons\":" + JsonNumbers(Icons) +
        ",\"buttons\":" + JsonNumbers(ButtonSets) + ",\"answers\":" + JsonNumbers(Answers) +
        ",\"backupWrites\":" + JsonNumbers(BackupWrites) + ",\"places\":" + JsonPlaces() +
        ",\"nameGap\":" + std::to_string(kalvero::NameGapPixels) +
        ",\"canvasFrame\":" + std::to_string(kalvero::CanvasFrameWidth) + "}";
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
