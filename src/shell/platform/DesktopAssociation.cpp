#include "shell/platform/DesktopAssociation.h"

#include "document/FileIo.h"
#include "shell/platform/DesktopFiles.h"
#include "shell/platform/ExternalProgram.h"

#include <algorithm>
#include <cctype>
#include <chrono>
#include <cstdlib>
#include <optional>
#include <pwd.h>
#include <span>
#include <string_view>
#include <system_error>
#include <unistd.h>

namespace kalvero {

namespace fs = std::filesystem;

namespace {

constexpr const char* DesktopFileName = "kalvero.desktop";
constexpr const char* IconName = "kalvero";

// A larger mimeapps.list or desktop entry is not ours to rewrite: keeping it
// whole beats cutting it short.
constexpr std::size_t MaxExistingBytes = 1024 * 1024;

// update-mime-database takes well under a second; the start must not hang on it.
constexpr std::chrono::milliseconds MimeUpdateLimit{5000};

fs::path HomeFolder() {
    if (const char* home = std::getenv("HOME"); home != nullptr && home[0] == '/') {
        return home;
    }
    const passwd* user = ::getpwuid(::getuid());
    return user != nullptr && user->pw_dir != nullptr ? fs::path(user->pw_dir) : fs::path();
}

// Relative values of the variables are invalid and ignored.
fs::path BaseFolder(const char* variable, const fs::path& fallback) {
    const char* value = std::getenv(variable);
    return value != nullptr && value[0] == '/' ? fs::path(value) : fallback;
}

enum class Written { Unchanged, Replaced, Failed };

bool HoldsText(const fs::path& file, const std::string& text) {
    const auto bytes = ReadFilePrefix(file, text.size() + 1);
    return bytes.ok() &&
           std::equal(bytes.value().begin(), bytes.value().end(), text.begin(), text.end(),
                      [](std::uint8_t a, char b) { return a == static_cast<std::uint8_t>(b); });
}

// A file that already holds the text is left as it is: each write is flushed
// to disk, which would slow every start.
Written WriteText(const fs::path& file, const std::string& text) {
    if (!file.is_absolute()) {
        return Written::Failed; // no home folder known: never write into the working folder
    }
    if (HoldsText(file, text)) {
        return Written::Unchanged;
    }
    std::error_code ec;
    fs::create_directories(file.parent_path(), ec);
    return WriteFileAtomically(
               file, std::span(reinterpret_cast<const std::uint8_t*>(text.data()), text.size()))
                   .ok()
               ? Written::Replaced
               : Written::Failed;
}

bool WriteMimePackage(const fs::path& dataHome) {
    const fs::path mimeFolder = dataHome / "mime";
    const Written package =
        WriteText(mimeFolder / "packages" / "kalvero-epa.xml", MimePackageText());
    if (package == Written::Failed) {
        return false;
    }
    // The tool takes tens of milliseconds: it runs only when the package is
    // new or the cache has not taken it in yet (the type's own file is missing).
    const bool known = package == Written::Unchanged &&
                       PathExists(mimeFolder / (std::string(EpaMimeType) + ".xml"));
    // Without the tool the type is still known once the cache is next built.
    if (const auto updater = FindOnPath("update-mime-database"); updater && !known) {
        RunProgram(*updater, {mimeFolder.string()}, MimeUpdateLimit);
    }
    return true;
}

// The text of a mimeapps.list or desktop entry: "" when there is none,
// nothing when it cannot be read whole.
std::optional<std::string> ExistingText(const fs::path& file) {
    if (!PathExists(file)) {
        return std::string();
    }
    // Read no more than the file holds: most are a few lines long.
    const FileResult<std::uint64_t> length = FileLength(file);
    if (!length || length.value() > MaxExistingBytes) {
        return std::nullopt;
    }
    const auto bytes = ReadFilePrefix(file, static_cast<std::size_t>(length.value()) + 1);
    if (!bytes.ok() || bytes.value().size() > MaxExistingBytes) {
        return std::nullopt;
    }
    return std::string(bytes.value().begin(), bytes.value().end());
}

// Every mimeapps.list that can name the default opener, in the order a
// desktop looks for one: the user's configuration, the system's, then the
// older places among the data folders; a desktop's own file before the
// common one in each folder.
std::vector<fs::path> MimeAppsLists(const DesktopLocations& where) {
    std::vector<fs::path> folders = {where.configHome};
    folders.insert(folders.end(), where.configDirs.begin(), where.configDirs.end());
    folders.push_back(where.dataHome / "applications");
    for (const fs::path& data : where.dataDirs) {
        folders.push_back(data / "applications");
    }
    std::vector<fs::path> files;
    for (const fs::path& folder : folders) {
        for (const std::string& desktop : where.desktops) {
            files.push_back(folder / (desktop + "-mimeapps.list"));
        }
        files.push_back(folder / "mimeapps.list");
    }
    return files;
}

bool DefaultOpenerNamed(const DesktopLocations& where) {
    const std::vector<fs::path> files = MimeAppsLists(where);
    return std::any_of(files.begin(), files.end(), [](const fs::path& file) {
        const std::optional<std::string> text = ExistingText(file);
        return text && NamesDefaultOpener(*text, EpaMimeType);
    });
}

bool WriteDefaultOpener(const DesktopLocations& where) {
    const fs::path file = where.configHome / "mimeapps.list";
    const std::optional<std::string> existing = ExistingText(file);
    if (!existing) {
        return false;
    }
    if (DefaultOpenerNamed(where)) {
        return true;
    }
    return WriteText(file, MimeAppsWithDefault(*existing, EpaMimeType, DesktopFileName)) !=
           Written::Failed;
}

// The non-empty items of a variable's ":"-separated list, or of the fallback
// when the variable is empty or not set.
std::vector<std::string> ListIn(const char* variable, std::string_view fallback = {}) {
    const char* value = std::getenv(variable);
    std::string_view rest = value != nullptr && value[0] != '\0' ? value : fallback;
    std::vector<std::string> items;
    while (!rest.empty()) {
        const std::size_t end = std::min(rest.find(':'), rest.size());
        if (end > 0) {
            items.emplace_back(rest.substr(0, end));
        }
        rest.remove_prefix(std::min(end + 1, rest.size()));
    }
    return items;
}

// Relative folders are invalid and left out.
std::vector<fs::path> BaseFolders(const char* variable, std::string_view fallback) {
    std::vector<fs::path> folders;
    for (const std::string& folder : ListIn(variable, fallback)) {
        if (folder.front() == '/') {
            folders.emplace_back(folder);
        }
    }
    return folders;
}

std::vector<std::string> CurrentDesktops() {
    std::vector<std::string> desktops = ListIn("XDG_CURRENT_DESKTOP");
    for (std::string& desktop : desktops) {
        std::transform(desktop.begin(), desktop.end(), desktop.begin(),
                       [](unsigned char c) { return static_cast<char>(std::tolower(c)); });
    }
    return desktops;
}

} // namespace

DesktopLocations DesktopLocations::FromEnvironment() {
    const fs::path home = HomeFolder();
    return {BaseFolder("XDG_DATA_HOME", home / ".local" / "share"),
            BaseFolder("XDG_CONFIG_HOME", home / ".config"),
            BaseFolders("XDG_CONFIG_DIRS", "/etc/xdg"),
            BaseFolders("XDG_DATA_DIRS", "/usr/local/share:/usr/share"), CurrentDesktops()};
}

void RegisterDesktopAssociation(const DesktopLocations& where, const std::string& programPath,
                                const std::string& iconSvg,
                                const ShowRegistrationError& showError) {
    if (!WriteMimePackage(where.dataHome)) {
        showError(RegistrationErrorText(AssociationPart::Extension));
    }
    if (!WriteDefaultOpener(where)) {
        showError(RegistrationErrorText(AssociationPart::FileType));
    }
    const fs::path entry = where.dataHome / "applications" / DesktopFileName;
    const std::optional<std::string> existing = ExistingText(entry);
    const bool edited = existing && !existing->empty() && !IsOurDesktopEntry(*existing);
    const bool entryWritten =
        edited || WriteText(entry, DesktopEntryText(programPath, IconName)) != Written::Failed;
    const fs::path icon = where.dataHome / "icons" / "hicolor" / "scalable" / "apps" /
                          (std::string(IconName) + ".svg");
    if (!(WriteText(icon, iconSvg) != Written::Failed && entryWritten)) {
        showError(RegistrationErrorText(AssociationPart::OpenCommand));
    }
}

fs::path SettingsFilePath(const DesktopLocations& where) {
    return where.configHome / "kalvero" / "settings";
}

} // namespace kalvero
