#include "cli/InputFiles.h"

#include "cli/ArgumentPath.h"

#ifdef _WIN32
#include <windows.h>
#else
#include <sys/stat.h>
#endif

namespace kalvero::cli {

InputFiles::InputFiles(const std::vector<std::string>& inputs) {
    for (const std::string& input : inputs) {
        if (const std::optional<Identity> identity = IdentityOf(PathFromArgument(input))) {
            inputs_.emplace(*identity, input);
        }
    }
}

std::optional<std::string> InputFiles::inputAt(const std::filesystem::path& path) const {
    const std::optional<Identity> identity = IdentityOf(path);
    if (!identity) {
        return std::nullopt;
    }
    const auto found = inputs_.find(*identity);
    return found == inputs_.end() ? std::nullopt : std::optional(found->second);
}

#ifdef _WIN32

std::optional<InputFiles::Identity> InputFiles::IdentityOf(const std::filesystem::path& path) {
    const HANDLE file =
        CreateFileW(path.c_str(), 0, FILE_SHARE_READ | FILE_SHARE_WRITE | FILE_SHARE_DELETE,
                    nullptr, OPEN_EXISTING, FILE_FLAG_BACKUP_SEMANTICS, nullptr);
    if (file == INVALID_HANDLE_VALUE) {
        return std::nullopt;
    }
    BY_HANDLE_FILE_INFORMATION information{};
    const bool known = GetFileInformationByHandle(file, &information) != 0;
    CloseHandle(file);
    if (!known) {
        return std::nullopt;
    }
    return Identity{information.dwVolumeSerialNumber,
                    (static_cast<std::uint64_t>(information.nFileIndexHigh) << 32) |
                        information.nFileIndexLow};
}

#else

std::optional<InputFiles::Identity> InputFiles::IdentityOf(const std::filesystem::path& path) {
    struct stat status {};
    if (::stat(path.c_str(), &status) != 0) {
        return std::nullopt;
    }
    return Identity{static_cast<std::uint64_t>(status.st_dev),
                    static_cast<std::uint64_t>(status.st_ino)};
}

#endif

} // namespace kalvero::cli
