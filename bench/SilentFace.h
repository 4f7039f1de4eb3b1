#pragma once

#include "editor/Dialogs.h"
#include "editor/EditorView.h"

#include <string>

namespace kalvero {

// A face for the benchmarks: every notice is read, every question answered
// Yes (a save replaces saveTarget), nothing is shown, and a save dialog names
// saveTarget (cancelled while it is empty).
struct SilentFace final : Dialogs, EditorView {
    std::string saveTarget;

    int message(const MessageRequest& request) override {
        return request.buttons == MessageButtons::Ok ? AnswerOk : AnswerYes;
    }
    std::optional<std::string> openFile(const FileDialogRequest&) override { return {}; }
    std::optional<std::string> saveFile(FileDialogRequest&) override {
        return saveTarget.empty() ? std::nullopt : std::optional(saveTarget);
    }
    void openUrl(const std::string&) override {}
    void showControls(const EditorControls&) override {}
    void clearCanvas() override {}
    void redrawCanvas() override {}
    bool showBitmap(const std::string&) override { return false; }
    void removeBitmap() override {}
    std::optional<RgbImage> decodePicture(const std::string&) override { return std::nullopt; }
};

} // namespace kalvero
