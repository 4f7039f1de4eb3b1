#pragma once

#include "editor/Dialogs.h"

namespace kalvero::web {

// How the page's write of a backup into the user's folder ended.
enum class BackupWrite { Written, Denied, DiskFull, Failed };

// The page's own dialogs: the core waits (Asyncify) while the page shows a
// message box or lets the user pick a file, then goes on with the answer.
// Files picked or dropped are put in the page's memory file system first,
// and a file saved there is written back where it came from, where the
// browser lets the page, or else handed to the browser as a download.
class WebDialogs final : public Dialogs {
public:
    int message(const MessageRequest& request) override;
    std::optional<std::string> openFile(const FileDialogRequest& request) override;
    std::optional<std::string> saveFile(FileDialogRequest& request) override;
    void openUrl(const std::string& address) override;
    // Beside a file the user let the page keep (one opened through the File
    // System Access API), in the folder the user gave the page: the backup
    // is chosen in the page's memory, where the folder's names are mirrored,
    // and then written into the folder.
    FileResult<std::optional<std::string>> makeBackup(const std::string& path) override;
};

} // namespace kalvero::web
