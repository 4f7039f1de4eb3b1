#pragma once

#include "shell/platform/EpaFileType.h"

#include <filesystem>
#include <string>

namespace kalvero {

// The per-user folders of the freedesktop base directories.
struct DesktopLocations {
    std::filesystem::path dataHome;   // $XDG_DATA_HOME, by default ~/.local/share
    std::filesystem::path configHome; // $XDG_CONFIG_HOME, by default ~/.config

    static DesktopLocations FromEnvironment();
};

inline constexpr const char* EpaMimeType = "application/x-award-epa";

// The freedesktop counterpart of RegisterEpaFileType, checked at every start and
// rewritten where it differs: the MIME type of EPA files (then the MIME cache is
// refreshed), this program as their default opener in mimeapps.list, and the
// program's desktop entry. Each part that cannot be written is reported with
// the Windows key's message.
void RegisterDesktopAssociation(const DesktopLocations& where, const std::string& programPath,
                                const std::string& iconName,
                                const ShowRegistrationError& showError);

// The FileRegistry file that holds the settings: $XDG_CONFIG_HOME/kalvero/settings.
std::filesystem::path SettingsFilePath(const DesktopLocations& where);

} // namespace kalvero
