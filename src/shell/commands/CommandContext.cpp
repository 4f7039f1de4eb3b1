#include "shell/commands/CommandContext.h"

#include "document/FileIo.h"
#include "document/LogoDocument.h"
#include "shell/Dialogs.h"
#include "shell/Form1Controls.h"
#include "shell/SizingLabel.h"

#include <QAction>
#include <QCheckBox>
#include <QToolButton>

namespace kalvero {

CommandContext::CommandContext(LogoDocument& document, Form1Controls& ui, LogoEditor& editor,
                               Dialogs& dialogs)
    : document(document), ui(ui), editor(editor), dialogs(dialogs) {}

Language CommandContext::language() const {
    return ui.Deutsch->isChecked() ? Language::German : Language::English;
}

void CommandContext::notice(const MessageText& message) {
    MsgAnswer = dialogs.message(
        {MessageIcon::Information, MessageButtons::Ok, Text(message.title), Text(message.text)});
}

int CommandContext::askSaveFirst(const std::string& name, bool withCancel) {
    if (!ui.SaveCheck->isChecked()) {
        return AnswerNo;
    }
    MsgAnswer = dialogs.message(
        {MessageIcon::Question, withCancel ? MessageButtons::YesNoCancel : MessageButtons::YesNo,
         QString(QuestionTitle), Text(SaveFirstQuestion(language(), name))});
    return MsgAnswer;
}

std::string CommandContext::chooseFileToOpen(const std::string& filter,
                                             const QString& initialName) {
    FileDialogRequest request;
    request.filter = Text(filter);
    request.initialName = initialName;
    const std::optional<QString> chosen = dialogs.openFile(request);
    return chosen ? chosen->toStdString() : std::string();
}

std::string CommandContext::openLogoFile() const {
    return document.EpaFromBmp() ? std::string() : document.EpaFileName();
}

FileStatus CommandContext::checkOutput(const std::string& path, const std::string& openLogo) const {
    const std::filesystem::path target = PathFromUtf8(path);
    if (!openLogo.empty() && SameFile(target, PathFromUtf8(openLogo))) {
        return FileError{FileProblem::OpenLogo, "is the open logo file"};
    }
    if (!document.LoadedBmpFile().empty() &&
        SameFile(target, PathFromUtf8(document.LoadedBmpFile()))) {
        return FileError{FileProblem::LoadedBitmap, "is the loaded bitmap file"};
    }
    const FileStatus checked = CheckWriteTarget(target);
    return checked || checked.error().problem == FileProblem::NotFound ? FileStatus(Succeeded)
                                                                       : checked;
}

void CommandContext::showLogoSwitch() {
    ui.FullScreenLogo->setVisible(!document.ImageFullScreen().empty());
    ui.FullScreenLogo->setEnabled(document.canSwitchLogo());
    ui.FullScreenLogo->setChecked(document.showsFullScreen());
}

void CommandContext::showEpaName(const std::string& name) {
    ui.EpaNameAnzeige->showText(Text(name));
}

void CommandContext::showBmpName(const std::string& name) {
    ui.BmpNameAnzeige->showText(Text(name));
}

} // namespace kalvero
