#include "support/FileKinds.h"

#include "support/TempDir.h"

#include <functional>
#include <sys/socket.h>
#include <sys/stat.h>
#include <sys/sysmacros.h>
#include <sys/un.h>
#include <unistd.h>

namespace kalvero::test {
namespace fs = std::filesystem;

bool MakeFifo(const fs::path& path) {
    return ::mkfifo(path.c_str(), 0666) == 0;
}

bool MakeSocket(const fs::path& path) {
    sockaddr_un address{};
    address.sun_family = AF_UNIX;
    if (path.string().size() >= sizeof address.sun_path) {
        return false;
    }
    path.string().copy(address.sun_path, sizeof address.sun_path - 1);
    const int fd = ::socket(AF_UNIX, SOCK_STREAM, 0);
    const bool made = ::bind(fd, reinterpret_cast<const sockaddr*>(&address), sizeof address) == 0;
    ::close(fd);
    return made;
}

bool MakeNullDeviceCopy(const fs::path& path) {
    return ::mknod(path.c_str(), S_IFCHR | 0666, makedev(1, 3)) == 0;
}

std::map<std::string, std::string> Snapshot(const fs::path& folder) {
    std::map<std::string, std::string> entries;
    for (const auto& entry : fs::recursive_directory_iterator(folder)) {
        const fs::file_status status = entry.symlink_status();
        std::string what = "other";
        if (fs::is_regular_file(status)) {
            const std::vector<std::uint8_t> bytes = ReadBytes(entry.path());
            const std::string text(bytes.begin(), bytes.end());
            what =
                "file " + (text.size() <= 16 ? text
                                             : std::to_string(text.size()) + " bytes, hash " +
                                                   std::to_string(std::hash<std::string>{}(text)));
        } else if (fs::is_symlink(status)) {
            what = "link " + fs::read_symlink(entry.path()).string();
        } else if (fs::is_directory(status)) {
            what = "folder";
        }
        entries[entry.path().lexically_relative(folder).string()] = what;
    }
    return entries;
}

} // namespace kalvero::test
