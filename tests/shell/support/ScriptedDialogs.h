#pragma once

#include "shell/Dialogs.h"

#include <deque>
#include <vector>

namespace kalvero::test {

// Answers the program's dialogs from a script and records what was asked.
// An OK box needs no answer; a question or file dialog without a scripted
// answer fails the test.
class ScriptedDialogs final : public Dialogs {
public:
    enum class FileKind { Open, Save };
    struct FileDialog {
        FileKind kind;
        FileDialogRequest request;
    };

    int message(const MessageRequest& request) override;
    std::optional<QString> openFile(const FileDialogRequest& request) override;
    std::optional<QString> saveFile(const FileDialogRequest& request) override;
    void openUrl(const QString& address) override;

    // What the user does in a file dialog: choose a path, or cancel.
    struct FileAnswer {
        FileAnswer(const QString& chosen) : path(chosen) {}
        static FileAnswer Cancel();
        QString path;
        bool cancelled = false;
    };

    // Scripted answers, used first to last.
    std::deque<int> answers;
    std::deque<FileAnswer> files;

    std::vector<MessageRequest> messages;
    std::vector<FileDialog> fileDialogs;
    std::vector<QString> urls;

private:
    std::optional<QString> nextFile(FileKind kind, const FileDialogRequest& request);
};

} // namespace kalvero::test
