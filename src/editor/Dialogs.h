#pragma once

#include "conversion/RgbImage.h"
#include "document/Backup.h"

#include <cstdint>
#include <optional>
#include <string>
#include <vector>

namespace kalvero {

enum class MessageIcon { None, Information, Question };
enum class MessageButtons { Ok, YesNo, YesNoCancel };

// Answers of a message box, with the numbers the commands keep in MsgAnswer.
inline constexpr int AnswerOk = 1;
inline constexpr int AnswerCancel = 2;
inline constexpr int AnswerYes = 6;
inline constexpr int AnswerNo = 7;

// Texts are UTF-8.
struct MessageRequest {
    MessageIcon icon = MessageIcon::Information;
    MessageButtons buttons = MessageButtons::Ok;
    std::string title;
    std::string text;
};

// A file dialog as the commands set it up: the filter as pairs of description
// and pattern separated by "|" ("(*.epa)|*.epa|all Files (*.*)|*.*|"), the
// 1-based filter selected at first, and the file name shown at first.
struct FileDialogRequest {
    std::string filter;
    int filterIndex = 1;
    std::string initialName;
    // Save dialogs only: ask before a chosen existing file is replaced.
    bool confirmOverwrite = false;
};

// A BIOS image to boot in QEMU (F7), and what came of it: the verdict, the
// report's lines (in English, as kalvero-cli bios try gives them) and the
// last screen taken.
struct BootRequest {
    std::string path; // UTF-8
    std::vector<std::uint8_t> image;
    std::string progressText;
};
enum class BootVerdict { Drawn, NotDrawn, QemuUnusable, Cancelled };
struct BootOutcome {
    BootVerdict verdict = BootVerdict::QemuUnusable;
    std::vector<std::string> report;
    std::optional<RgbImage> screen;
};
struct BootScreenRequest {
    std::string title;
    std::string verdict;
    std::vector<std::string> report;
    RgbImage screen;
};

// Everything that waits for the user: message boxes, the open and save
// dialogs, handing a web address to the browser, and the backup before a
// logo is opened. The window shows real dialogs, the page its own, and tests
// answer from a script.
class Dialogs {
public:
    virtual ~Dialogs() = default;
    // Returns AnswerOk, AnswerYes, AnswerNo or AnswerCancel.
    virtual int message(const MessageRequest& request) = 0;
    // The chosen path, or nothing when the user cancelled.
    virtual std::optional<std::string> openFile(const FileDialogRequest& request) = 0;
    // The filter left selected is written back to request.filterIndex.
    virtual std::optional<std::string> saveFile(FileDialogRequest& request) = 0;
    virtual void openUrl(const std::string& address) = 0;
    // The numbered backup of a logo about to be opened, beside it. The page
    // must first ask the user for that folder.
    virtual FileResult<std::optional<std::string>> makeBackup(const std::string& path) {
        return MakeBackup(path);
    }
    // Boots the image with a progress indication and Cancel while the window
    // stays alive. A face that cannot run QEMU (the page) says so.
    virtual BootOutcome bootImage(const BootRequest&) {
        return {BootVerdict::QemuUnusable, {"this face of Kalvero cannot run QEMU"}, {}};
    }
    // The BIOS's screen, scaled to fit, with the verdict.
    virtual void showBootScreen(const BootScreenRequest&) {}
};

} // namespace kalvero
