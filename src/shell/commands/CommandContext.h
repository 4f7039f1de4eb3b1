#pragma once

#include "document/LanguageTexts.h"
#include "document/LogoDocument.h"

#include <QString>
#include <string>

namespace kalvero {

class Dialogs;
class LogoEditor;
struct Form1Controls;

// What the file commands work on: the logo document, the main window's
// controls, the canvas and the dialogs.
class CommandContext {
public:
    CommandContext(LogoDocument& document, Form1Controls& ui, LogoEditor& editor, Dialogs& dialogs);

    LogoDocument& document;
    Form1Controls& ui;
    LogoEditor& editor;
    Dialogs& dialogs;

    // German exactly while the German flag is selected.
    Language language() const;
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
    std::string chooseFileToOpen(const std::string& filter, const QString& initialName);
    // The file the logo on the canvas is read from at every redraw; "" for a
    // logo that lives only in memory.
    std::string openLogoFile() const;
    // Refuses, before anything is written, an output over a file the editor
    // holds an input from (the open logo file given, the loaded bitmap),
    // compared as files, not names; and a target that no write may replace
    // (CheckWriteTarget). A missing folder is left to the write itself.
    FileStatus checkOutput(const std::string& path, const std::string& openLogo) const;
    // The full-screen logo's entry: there while the open image has one,
    // checked while it is shown, usable where there is a boot logo to switch to.
    void showLogoSwitch();
    void showEpaName(const std::string& name);
    void showBmpName(const std::string& name);

    static QString Text(const std::string& utf8) { return QString::fromStdString(utf8); }
};

} // namespace kalvero
