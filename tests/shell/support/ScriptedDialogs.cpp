#include "shell/support/ScriptedDialogs.h"

#include <gtest/gtest.h>

namespace kalvero::test {

ScriptedDialogs::FileAnswer ScriptedDialogs::FileAnswer::Cancel() {
    FileAnswer answer{QString()};
    answer.cancelled = true;
    return answer;
}

int ScriptedDialogs::message(const MessageRequest& request) {
    messages.push_back(request);
    if (request.buttons == MessageButtons::Ok) {
        return AnswerOk;
    }
    if (answers.empty()) {
        ADD_FAILURE() << "unexpected question: " << request.text.toStdString();
        return AnswerNo;
    }
    const int answer = answers.front();
    answers.pop_front();
    return answer;
}

std::optional<QString> ScriptedDialogs::nextFile(FileKind kind, const FileDialogRequest& request) {
    fileDialogs.push_back({kind, request});
    if (files.empty()) {
        ADD_FAILURE() << "unexpected file dialog, filter " << request.filter.toStdString();
        return std::nullopt;
    }
    const FileAnswer answer = files.front();
    files.pop_front();
    if (answer.cancelled) {
        return std::nullopt;
    }
    return answer.path;
}

std::optional<QString> ScriptedDialogs::openFile(const FileDialogRequest& request) {
    return nextFile(FileKind::Open, request);
}

std::optional<QString> ScriptedDialogs::saveFile(const FileDialogRequest& request) {
    return nextFile(FileKind::Save, request);
}

void ScriptedDialogs::openUrl(const QString& address) {
    urls.push_back(address);
}

} // namespace kalvero::test
