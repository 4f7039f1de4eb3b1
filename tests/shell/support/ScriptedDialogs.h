#pragma once

#include "shell/Dialogs.h"

#include <deque>
#include <gtest/gtest.h>
#include <vector>

namespace kalvero::test {

// Answers the program's dialogs from a script and records what was asked. An
// OK box needs no answer; a question or file dialog without one fails the test.
class ScriptedDialogs final : public Dialogs {
public:
    enum class FileKind { Open, Save };
    struct FileDialog {
        FileKind kind;
        FileDialogRequest request;
    };
    int message(const MessageRequest& request) override {
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
    std::optional<QString> openFile(const FileDialogRequest& r) override {
        return next(FileKind::Open, r);
    }
    std::optional<QString> saveFile(FileDialogRequest& r) override {
        if (!saveFilters.empty()) {
            r.filterIndex = saveFilters.front();
            saveFilters.pop_front();
        }
        return next(FileKind::Save, r);
    }
    void openUrl(const QString& address) override { urls.push_back(address); }

    std::deque<int> answers;                  // used first to last
    std::deque<std::optional<QString>> files; // a path chosen, or cancelled
    std::deque<int> saveFilters;              // the filter left selected in a save dialog
    std::vector<MessageRequest> messages;
    std::vector<FileDialog> fileDialogs;
    std::vector<QString> urls;

private:
    std::optional<QString> next(FileKind kind, const FileDialogRequest& request) {
        fileDialogs.push_back({kind, request});
        if (files.empty()) {
            ADD_FAILURE() << "unexpected file dialog, filter " << request.filter.toStdString();
            return std::nullopt;
        }
        const std::optional<QString> answer = files.front();
        files.pop_front();
        return answer;
    }
};

} // namespace kalvero::test
