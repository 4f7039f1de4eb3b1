#pragma once

#include "editor/Dialogs.h"

#include <QString>
#include <deque>
#include <gtest/gtest.h>
#include <vector>

namespace kalvero::test {

// A path chosen in a file dialog, or none when it was cancelled.
struct ChosenFile {
    ChosenFile() = default;
    ChosenFile(std::nullopt_t) {}
    ChosenFile(const char* chosen) : path(chosen) {}
    ChosenFile(const QString& chosen) : path(chosen.toStdString()) {}
    ChosenFile(const std::optional<QString>& chosen) {
        if (chosen) {
            path = chosen->toStdString();
        }
    }
    std::optional<std::string> path;
};

// Answers the program's dialogs from a script and records what was asked. An
// OK box needs no answer; a question or file dialog without one fails the test.
class ScriptedDialogs final : public Dialogs {
public:
    enum class FileKind { Open, Save };
    // What was shown, with its texts as QString for the tests' checks.
    struct Message {
        MessageIcon icon;
        MessageButtons buttons;
        QString title;
        QString text;
    };
    struct Request {
        QString filter;
        int filterIndex;
        QString initialName;
        bool confirmOverwrite;
    };
    struct FileDialog {
        FileKind kind;
        Request request;
    };
    int message(const MessageRequest& request) override {
        messages.push_back({request.icon, request.buttons, QString::fromStdString(request.title),
                            QString::fromStdString(request.text)});
        if (request.buttons == MessageButtons::Ok) {
            return AnswerOk;
        }
        if (answers.empty()) {
            ADD_FAILURE() << "unexpected question: " << request.text;
            return AnswerNo;
        }
        const int answer = answers.front();
        answers.pop_front();
        return answer;
    }
    std::optional<std::string> openFile(const FileDialogRequest& r) override {
        return next(FileKind::Open, r);
    }
    std::optional<std::string> saveFile(FileDialogRequest& r) override {
        if (!saveFilters.empty()) {
            r.filterIndex = saveFilters.front();
            saveFilters.pop_front();
        }
        return next(FileKind::Save, r);
    }
    void openUrl(const std::string& address) override { urls.push_back(address); }

    std::deque<int> answers;      // used first to last
    std::deque<ChosenFile> files; // a path chosen, or cancelled
    std::deque<int> saveFilters;  // the filter left selected in a save dialog
    std::vector<Message> messages;
    std::vector<FileDialog> fileDialogs;
    std::vector<std::string> urls;

private:
    std::optional<std::string> next(FileKind kind, const FileDialogRequest& request) {
        fileDialogs.push_back(
            {kind,
             {QString::fromStdString(request.filter), request.filterIndex,
              QString::fromStdString(request.initialName), request.confirmOverwrite}});
        if (files.empty()) {
            ADD_FAILURE() << "unexpected file dialog, filter " << request.filter;
            return std::nullopt;
        }
        const std::optional<std::string> answer = files.front().path;
        files.pop_front();
        return answer;
    }
};

} // namespace kalvero::test
