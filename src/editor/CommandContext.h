#pragma once

#include "document/FileIo.h"
#include "document/LogoDocument.h"
#include "editor/EditorControls.h"
#include "editor/EditorView.h"
#include "editor/LanguageTexts.h"

#include <optional>
#include <string>

namespace kalvero {

class Dialogs;

// What the file commands work on: the logo document, the controls beside it,
// the face that shows them and the dialogs.
class CommandContext {
public:
    CommandContext(LogoDocument& document, EditorView& view, Dialogs& dialogs)
        : document(document), view(view), dialogs(dialogs) {}

    LogoDocument& document;
    EditorControls controls;
    EditorView& view;
    Dialogs& dialogs;

    // German exactly while the German flag is selected.
    Language language() const { return controls.german ? Language::German : Language::English; }
    // The last new BIOS image Save EPA wrote, and the open image it was made
    // of, for Boot in QEMU.
    std::string newImage;
    std::string newImageSource;
    // The answer of the last box shown by the commands (AnswerYes, ...).
    int MsgAnswer = 0;

    // A notice with the information icon and an OK button; kept in MsgAnswer.
    void notice(const MessageText& message);
    // The save-first question about the name when the Messages option is on:
    // AnswerYes, AnswerNo, or with withCancel also AnswerCancel. Without the
    // option no question is asked and the answer is No: a stale answer from
    // an earlier box must never save or keep a logo by accident.
    int askSaveFirst(const std::string& name, bool withCancel = false);
    // The Open dialog with the filter selected and the name shown at first;
    // the chosen path, or "" when cancelled.
    std::string chooseFileToOpen(const std::string& filter, const std::string& initialName);
    // The file the logo on the canvas is read from at every redraw; "" for a
    // logo that lives only in memory.
    std::string openLogoFile() const;
    // Refuses, before anything is written, an output over a file the editor
    // holds an input from (the open logo file given, the loaded bitmap),
    // compared as files, not names; and a target that no write may replace
    // (CheckWriteTarget). A missing folder is left to the write itself.
    std::optional<MessageText> refusedOutput(const std::string& path,
                                             const std::string& openLogo) const;
    // Shows the controls as they are now.
    void showControls();
};

} // namespace kalvero
