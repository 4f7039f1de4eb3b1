#include "document/FilePlatform.h"
#include "document/TemporaryFiles.h"

#include <algorithm>
#include <cerrno>
#include <csignal>
#include <fcntl.h>
#include <sys/stat.h>
#include <unistd.h>

namespace kalvero::fileio {
namespace fs = std::filesystem;

std::FILE* OpenForReading(const fs::path& path) {
    return std::fopen(path.c_str(), "rb");
}

FileStatus CheckFolderWritable(const fs::path& folder) {
    if (::faccessat(AT_FDCWD, folder.c_str(), W_OK | X_OK, AT_EACCESS) != 0) {
        return ErrorFromErrno(errno);
    }
    return Succeeded;
}

namespace {

bool WriteAll(int fd, std::span<const std::uint8_t> bytes) {
    std::size_t done = 0;
    while (done < bytes.size()) {
        const ssize_t n = ::write(fd, bytes.data() + done, bytes.size() - done);
        if (n < 0 && errno == EINTR) {
            continue;
        }
        if (n <= 0) {
            if (n == 0) {
                errno = ENOSPC;
            }
            return false;
        }
        done += static_cast<std::size_t>(n);
    }
    return true;
}

mode_t ModeForNewFile() {
#ifdef __EMSCRIPTEN__
    // Emscripten's umask starts as 0777, which would make every new file
    // unreadable, in the browser's file system even to its writer.
    return 0644;
#else
    const mode_t mask = ::umask(0);
    ::umask(mask);
    return static_cast<mode_t>(0666 & ~mask);
#endif
}

// The temporary file's name: the target's, hidden, and six random
// characters, with the target's name cut (between two UTF-8 characters) where
// the whole would be longer than the folder allows.
std::string TemporaryPattern(const fs::path& folder, const std::string& name) {
    constexpr std::size_t Added = 8; // "." before, ".XXXXXX" after
    const long allowed = ::pathconf(folder.c_str(), _PC_NAME_MAX);
    const std::size_t longest = allowed > static_cast<long>(Added) ? allowed : 255;
    std::size_t kept = std::min(name.size(), longest - Added);
    while (kept > 0 && kept < name.size() && (name[kept] & 0xC0) == 0x80) {
        --kept;
    }
    return (folder / ("." + name.substr(0, kept) + ".XXXXXX")).string();
}

FileIdentity IdentityFromStatus(const struct stat& status) {
    return {static_cast<std::uint64_t>(status.st_dev), static_cast<std::uint64_t>(status.st_ino)};
}

} // namespace

FileResult<fs::path> WriteBeside(const fs::path& target, std::span<const std::uint8_t> bytes,
                                 bool flush) {
    const fs::path folder = target.has_parent_path() ? target.parent_path() : fs::path(".");
    std::string pattern = TemporaryPattern(folder, target.filename().string());
    int fd = -1;
    {
        // Made and registered while the cleanup signals wait: no moment
        // leaves the file unknown to the handler.
        const CleanupSignalsHeld held;
        fd = ::mkstemp(pattern.data());
        if (fd < 0) {
            return ErrorFromErrno(errno);
        }
        RegisterTemporaryFile(held, pattern);
    }
    // The replacement keeps the permissions of the file it replaces, and its
    // owner and group as far as the user may give them (all of it for root);
    // the owner first, as a change of owner clears the set-user-ID bit.
    struct stat old {};
    const bool replaces = ::stat(target.c_str(), &old) == 0;
    if (replaces) {
        [[maybe_unused]] const int given = ::fchown(fd, old.st_uid, old.st_gid);
    }
    const mode_t mode = replaces ? (old.st_mode & 07777) : ModeForNewFile();
    const bool written =
        WriteAll(fd, bytes) && ::fchmod(fd, mode) == 0 && (!flush || ::fsync(fd) == 0);
    const int code = errno;
    const bool closed = ::close(fd) == 0;
    if (!written || !closed) {
        FileError error = ErrorFromErrno(written ? errno : code);
        if (::unlink(pattern.c_str()) != 0 && errno != ENOENT) {
            error.leftBehind = pattern;
        }
        ForgetTemporaryFile(pattern);
        return error;
    }
    return fs::path(pattern);
}

FileStatus Replace(const fs::path& temporary, const fs::path& target) {
    if (::rename(temporary.c_str(), target.c_str()) != 0) {
        return ErrorFromErrno(errno);
    }
    return Succeeded;
}

FileStatus CheckExistingTarget(const fs::path& target) {
    struct stat status {};
    if (::stat(target.c_str(), &status) != 0) {
        return errno == ENOENT ? FileStatus(Succeeded) : FileStatus(ErrorFromErrno(errno));
    }
    if (S_ISDIR(status.st_mode)) {
        return Folder();
    }
    if (!S_ISREG(status.st_mode)) {
        return NotRegular();
    }
    // Root may write any file; one without a write permission for anybody is
    // still not replaced, as users of cp expect of a protected file.
    if ((status.st_mode & 0222) == 0) {
        return WriteProtected();
    }
    if (::faccessat(AT_FDCWD, target.c_str(), W_OK, AT_EACCESS) != 0) {
        return errno == EACCES ? WriteProtected() : ErrorFromErrno(errno);
    }
    return Succeeded;
}

std::optional<FileIdentity> IdentityOfFile(const fs::path& path) {
    struct stat status {};
    if (::stat(path.c_str(), &status) != 0) {
        return std::nullopt;
    }
    return IdentityFromStatus(status);
}

std::optional<FileIdentity> IdentityOfStream(StandardStream stream) {
    struct stat status {};
    if (::fstat(stream == StandardStream::Input ? STDIN_FILENO : STDOUT_FILENO, &status) != 0 ||
        !S_ISREG(status.st_mode)) {
        return std::nullopt;
    }
    return IdentityFromStatus(status);
}

// One syncfs for each file system: a step's files are mostly in one folder.
FileStatus FlushVolumes(const std::vector<fs::path>& folders) {
    std::vector<dev_t> flushed;
    for (const fs::path& folder : folders) {
        const int fd = ::open(folder.empty() ? "." : folder.c_str(), O_RDONLY | O_DIRECTORY);
        if (fd < 0) {
            return ErrorFromErrno(errno);
        }
        struct stat status {};
        bool done = ::fstat(fd, &status) == 0 &&
                    std::find(flushed.begin(), flushed.end(), status.st_dev) != flushed.end();
        int code = 0;
        if (!done) {
#ifdef __EMSCRIPTEN__
            // Emscripten's C library has no syncfs, and its fsync does
            // nothing either: flushing is left to what holds its files.
            done = true;
#else
            done = ::syncfs(fd) == 0;
#endif
            code = errno;
            flushed.push_back(status.st_dev);
        }
        ::close(fd);
        if (!done) {
            return ErrorFromErrno(code);
        }
    }
    return Succeeded;
}

} // namespace kalvero::fileio

void kalvero::IgnoreFileSizeSignal() {
    std::signal(SIGXFSZ, SIG_IGN);
}
