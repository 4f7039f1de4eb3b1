#pragma once

#include "editor/Dialogs.h"

namespace kalvero::web {

// The page's own dialogs: the core waits (Asyncify) while the page shows a
// message box or lets the user pick a file, then goes on with the answer.
// Files picked or dropped are put in the page's memory file system first,
// and a file saved there is handed to the browser as a download.
class WebDialogs final : public Dialogs {
public:
    int message(const MessageRequest& request) override;
    std::optional<std::string> openFile(const FileDialogRequest& request) override;
    std::optional<std::string> saveFile(FileDialogRequest& request) override;
    void openUrl(const std::string& address) override;
};

} // namespace kalvero::web
