#pragma once

#include "shell/platform/EpaFileType.h"

#include <filesystem>
#include <string>
#include <vector>

namespace kalvero {

// The folders of the freedesktop base directories, and the desktops whose own
// choices of default programs count first.
struct DesktopLocations {
    std::filesystem::path dataHome;   // $XDG_DATA_HOME, by default ~/.local/share
    std::filesystem::path configHome; // $XDG_CONFIG_HOME, by default ~/.config
    // $XDG_CONFIG_DIRS, by default /etc/xdg
    std::vector<std::filesystem::path> configDirs = {};
    // $XDG_DATA_DIRS, by default /usr/local/share and /usr/share
    std::vector<std::filesystem::path> dataDirs = {};
    // $XDG_CURRENT_DESKTOP in lower case, as in "kde-mimeapps.list"
    std::vector<std::string> desktops = {};

    static DesktopLocations FromEnvironment();
};

inline constexpr const char* EpaMimeType = "application/x-award-epa";

// The freedesktop counterpart of RegisterEpaFileType, checked at every start: the
// MIME type of EPA files (then the MIME cache is refreshed), the program's
// desktop entry and its icon (iconSvg, as kalvero.svg in the user's icon
// theme folder) are written where they differ, so that opening a file works
// also for a program run from its build folder; a desktop entry the user has
// edited is left as it is. This program becomes the default opener in
// mimeapps.list only while no mimeapps.list names one, so that a user's
// choice of another program stays. Each part that cannot be written is
// reported with the Windows key's message.
void RegisterDesktopAssociation(const DesktopLocations& where, const std::string& programPath,
                                const std::string& iconSvg, const ShowRegistrationError& showError);

// The FileRegistry file that holds the settings: $XDG_CONFIG_HOME/kalvero/settings.
std::filesystem::path SettingsFilePath(const DesktopLocations& where);

} // namespace kalvero
