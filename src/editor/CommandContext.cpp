#include "editor/CommandContext.h"

#include "document/ImageNames.h"
#include "editor/Dialogs.h"

namespace kalvero {

void CommandContext::showControls() {
    view.showControls(controls);
}

void CommandContext::notice(const MessageText& message) {
    showControls();
    MsgAnswer = dialogs.message(
        {MessageIcon::Information, MessageButtons::Ok, message.title, message.text});
}

int CommandContext::askSaveFirst(const std::string& name, bool withCancel) {
    if (!controls.messages) {
        return AnswerNo;
    }
    // Yes never writes the open image but a new one beside it: the question
    // names what Yes writes.
    const std::string& image = document.ImageFileName();
    const std::string written = !image.empty() && name == image ? NewImageName(image) : name;
    showControls();
    MsgAnswer = dialogs.message({MessageIcon::Question,
                                 withCancel ? MessageButtons::YesNoCancel : MessageButtons::YesNo,
                                 QuestionTitle, SaveFirstQuestion(language(), written)});
    return MsgAnswer;
}

std::string CommandContext::chooseFileToOpen(const std::string& filter,
                                             const std::string& initialName) {
    FileDialogRequest request;
    request.filter = filter;
    request.initialName = initialName;
    showControls();
    return dialogs.openFile(request).value_or(std::string());
}

std::string CommandContext::openLogoFile() const {
    return document.EpaFromBmp() ? std::string() : document.EpaFileName();
}

std::optional<MessageText> CommandContext::refusedOutput(const std::string& path,
                                                         const std::string& openLogo) const {
    const std::filesystem::path target = PathFromUtf8(path);
    if (!openLogo.empty() && SameFile(target, PathFromUtf8(openLogo))) {
        return InputNotReplacedNotice(language(), path, EditorInput::OpenLogo);
    }
    if (!document.LoadedBmpFile().empty() &&
        SameFile(target, PathFromUtf8(document.LoadedBmpFile()))) {
        return InputNotReplacedNotice(language(), path, EditorInput::LoadedBitmap);
    }
    const FileStatus checked = CheckWriteTarget(target);
    if (checked || checked.error().problem == FileProblem::NotFound) {
        return std::nullopt;
    }
    return FileNotSavedNotice(language(), path, checked.error());
}

} // namespace kalvero
