#pragma once

#include "editor/Dialogs.h"

#include <deque>
#include <gtest/gtest.h>
#include <optional>
#include <string>
#include <vector>

namespace kalvero::test {

// Answers the editor's dialogs from a script and records what was asked. An
// OK box needs no answer; a question or file dialog without one fails the test.
class ScriptedDialogs final : public Dialogs {
public:
    int message(const MessageRequest& request) override {
        messages.push_back(request);
        return request.buttons == MessageButtons::Ok
                   ? AnswerOk
                   : Take(answers, "unexpected question: " + request.text, AnswerNo);
    }
    std::optional<std::string> openFile(const FileDialogRequest& request) override {
        fileDialogs.push_back(request);
        return Take(files, "unexpected file dialog, filter " + request.filter, {});
    }
    std::optional<std::string> saveFile(FileDialogRequest& request) override {
        fileDialogs.push_back(request);
        request.filterIndex = saveFilters.empty() ? request.filterIndex : Take(saveFilters, "", 0);
        return Take(files, "unexpected file dialog, filter " + request.filter, {});
    }
    void openUrl(const std::string&) override {}
    BootOutcome bootImage(const BootRequest& request) override {
        bootRequests.push_back(request);
        return Take(boots, "unexpected boot in QEMU", BootOutcome{});
    }
    void showBootScreen(const BootScreenRequest& request) override {
        bootScreens.push_back(request);
    }

    std::deque<int> answers;                      // used first to last
    std::deque<std::optional<std::string>> files; // a path chosen, or cancelled
    std::deque<int> saveFilters;                  // the filter left selected in a save dialog
    std::vector<MessageRequest> messages;
    std::vector<FileDialogRequest> fileDialogs; // as the editor set them up
    std::deque<BootOutcome> boots;              // what each boot in QEMU gives
    std::vector<BootRequest> bootRequests;
    std::vector<BootScreenRequest> bootScreens;

private:
    template <typename T>
    static T Take(std::deque<T>& script, const std::string& unexpected, T otherwise) {
        if (script.empty()) {
            ADD_FAILURE() << unexpected;
            return otherwise;
        }
        T first = script.front();
        script.pop_front();
        return first;
    }
};

} // namespace kalvero::test
