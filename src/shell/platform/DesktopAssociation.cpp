#include "shell/platform/DesktopAssociation.h"

#include "document/FileIo.h"
#include "shell/platform/DesktopFiles.h"
#include "shell/platform/ExternalProgram.h"

#include <algorithm>
#include <chrono>
#include <cstdlib>
#include <pwd.h>
#include <span>
#include <system_error>
#include <unistd.h>

namespace kalvero {

namespace fs = std::filesystem;

namespace {

constexpr const char* DesktopFileName = "kalvero.desktop";

// A larger mimeapps.list is not ours to rewrite: keeping it whole beats
// cutting it short.
constexpr std::size_t MaxMimeAppsBytes = 1024 * 1024;

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

bool WriteDefaultOpener(const fs::path& configHome) {
    const fs::path file = configHome / "mimeapps.list";
    std::string existing;
    if (PathExists(file)) {
        const auto bytes = ReadFilePrefix(file, MaxMimeAppsBytes + 1);
        if (!bytes.ok() || bytes.value().size() > MaxMimeAppsBytes) {
            return false;
        }
        existing.assign(bytes.value().begin(), bytes.value().end());
    }
    return WriteText(file, MimeAppsWithDefault(existing, EpaMimeType, DesktopFileName)) !=
           Written::Failed;
}

} // namespace

DesktopLocations DesktopLocations::FromEnvironment() {
    const fs::path home = HomeFolder();
    return {BaseFolder("XDG_DATA_HOME", home / ".local" / "share"),
            BaseFolder("XDG_CONFIG_HOME", home / ".config")};
}

void RegisterDesktopAssociation(const DesktopLocations& where, const std::string& programPath,
                                const std::string& iconName,
                                const ShowRegistrationError& showError) {
    if (!WriteMimePackage(where.dataHome)) {
        showError(RegistrationErrorText(AssociationPart::Extension));
    }
    if (!WriteDefaultOpener(where.configHome)) {
        showError(RegistrationErrorText(AssociationPart::FileType));
    }
    if (WriteText(where.dataHome / "applications" / DesktopFileName,
                  DesktopEntryText(programPath, iconName)) == Written::Failed) {
        showError(RegistrationErrorText(AssociationPart::OpenCommand));
    }
}

fs::path SettingsFilePath(const DesktopLocations& where) {
    return where.configHome / "kalvero" / "settings";
}

} // namespace kalvero
