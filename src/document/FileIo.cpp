#include "document/FileIo.h"

#include <cerrno>
#include <cstdio>
#include <cstring>
#include <system_error>

#ifdef _WIN32
#include <io.h>
#include <windows.h>
#else
#include <csignal>
#include <fcntl.h>
#include <sys/stat.h>
#include <unistd.h>
#endif

namespace kalvero {
namespace fs = std::filesystem;

namespace {

FileError ErrorFromErrno(int code) {
    switch (code) {
    case ENOENT:
        return {FileProblem::NotFound, "file not found"};
    case EACCES:
    case EPERM:
        return {FileProblem::PermissionDenied, "permission denied"};
    case EISDIR:
        return {FileProblem::IsFolder, "is a folder"};
    case ENOSPC:
        return {FileProblem::DiskFull, "disk full"};
    case EFBIG:
        return {FileProblem::TooLarge, "file too large for this disk or user limit"};
    case EROFS:
        return {FileProblem::PermissionDenied, "read-only file system"};
    case ENAMETOOLONG:
        return {FileProblem::Other, "name too long"};
    case ENOTDIR:
        return {FileProblem::NotFound, "folder not found"};
    default:
        return {FileProblem::Other, std::strerror(code)};
    }
}

FileError ErrorFromCode(const std::error_code& code) {
    return ErrorFromErrno(code.value());
}

// Classifies what is at the path before it is opened, so that a folder or a
// missing file gets a clear reason instead of a failed read.
std::optional<FileError> CheckReadableFile(const fs::path& path) {
    std::error_code ec;
    const fs::file_status status = fs::status(path, ec);
    if (ec || !fs::exists(status)) {
        return ec && ec != std::errc::no_such_file_or_directory
                   ? ErrorFromCode(ec)
                   : FileError{FileProblem::NotFound, "file not found"};
    }
    if (fs::is_directory(status)) {
        return FileError{FileProblem::IsFolder, "is a folder"};
    }
    if (!fs::is_regular_file(status)) {
        return FileError{FileProblem::NotRegularFile, "not a regular file"};
    }
    return std::nullopt;
}

std::FILE* OpenForReading(const fs::path& path) {
#ifdef _WIN32
    return _wfopen(path.c_str(), L"rb");
#else
    return std::fopen(path.c_str(), "rb");
#endif
}

#ifdef _WIN32

// Windows files are always flushed as they are written: there is no call that
// flushes a whole volume without administrator rights.
FileResult<fs::path> WriteBeside(const fs::path& target, std::span<const std::uint8_t> bytes,
                                 bool) {
    const fs::path folder = target.has_parent_path() ? target.parent_path() : fs::path(L".");
    wchar_t tempName[MAX_PATH];
    if (GetTempFileNameW(folder.c_str(), L"kal", 0, tempName) == 0) {
        return FileError{FileProblem::Other, "cannot create a file in this folder"};
    }
    std::FILE* file = _wfopen(tempName, L"wb");
    if (file == nullptr) {
        const int code = errno;
        DeleteFileW(tempName);
        return ErrorFromErrno(code);
    }
    bool written = std::fwrite(bytes.data(), 1, bytes.size(), file) == bytes.size();
    int code = errno;
    written = written && std::fflush(file) == 0 && _commit(_fileno(file)) == 0;
    if (!written && code == 0) {
        code = errno;
    }
    std::fclose(file);
    if (!written) {
        DeleteFileW(tempName);
        return ErrorFromErrno(code != 0 ? code : EIO);
    }
    return fs::path(tempName);
}

FileStatus Replace(const fs::path& temporary, const fs::path& target) {
    if (!MoveFileExW(temporary.c_str(), target.c_str(),
                     MOVEFILE_REPLACE_EXISTING | MOVEFILE_WRITE_THROUGH)) {
        const bool denied = GetLastError() == ERROR_ACCESS_DENIED;
        DeleteFileW(temporary.c_str());
        return denied ? FileError{FileProblem::PermissionDenied, "permission denied"}
                      : FileError{FileProblem::Other, "cannot replace the file"};
    }
    return Succeeded;
}

FileStatus FlushVolume(const fs::path&) {
    return Succeeded;
}

#else

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
    const mode_t mask = ::umask(0);
    ::umask(mask);
    return static_cast<mode_t>(0666 & ~mask);
}

FileResult<fs::path> WriteBeside(const fs::path& target, std::span<const std::uint8_t> bytes,
                                 bool flush) {
    const fs::path folder = target.has_parent_path() ? target.parent_path() : fs::path(".");
    std::string pattern = (folder / ("." + target.filename().string() + ".XXXXXX")).string();
    const int fd = ::mkstemp(pattern.data());
    if (fd < 0) {
        return ErrorFromErrno(errno);
    }
    // The replacement keeps the permissions of the file it replaces.
    struct stat old {};
    const mode_t mode =
        ::stat(target.c_str(), &old) == 0 ? (old.st_mode & 07777) : ModeForNewFile();
    const bool written =
        WriteAll(fd, bytes) && ::fchmod(fd, mode) == 0 && (!flush || ::fsync(fd) == 0);
    const int code = errno;
    const bool closed = ::close(fd) == 0;
    if (!written || !closed) {
        ::unlink(pattern.c_str());
        return ErrorFromErrno(written ? errno : code);
    }
    return fs::path(pattern);
}

FileStatus Replace(const fs::path& temporary, const fs::path& target) {
    if (::rename(temporary.c_str(), target.c_str()) != 0) {
        const int code = errno;
        ::unlink(temporary.c_str());
        return ErrorFromErrno(code);
    }
    return Succeeded;
}

FileStatus FlushVolume(const fs::path& folder) {
    const int fd = ::open(folder.empty() ? "." : folder.c_str(), O_RDONLY | O_DIRECTORY);
    if (fd < 0) {
        return ErrorFromErrno(errno);
    }
    const bool flushed = ::syncfs(fd) == 0;
    const int code = errno;
    ::close(fd);
    return flushed ? FileStatus(Succeeded) : FileStatus(ErrorFromErrno(code));
}

#endif

} // namespace

fs::path PathFromUtf8(const std::string& text) {
    return fs::path(std::u8string(text.begin(), text.end()));
}

std::string Utf8FromPath(const fs::path& path) {
    const std::u8string text = path.u8string();
    return std::string(text.begin(), text.end());
}

FileResult<std::uint64_t> FileLength(const fs::path& path) {
    if (auto problem = CheckReadableFile(path)) {
        return *problem;
    }
    std::error_code ec;
    const std::uintmax_t length = fs::file_size(path, ec);
    if (ec) {
        return ErrorFromCode(ec);
    }
    return static_cast<std::uint64_t>(length);
}

FileResult<std::vector<std::uint8_t>> ReadFilePrefix(const fs::path& path, std::size_t maxBytes) {
    if (auto problem = CheckReadableFile(path)) {
        return *problem;
    }
    std::FILE* file = OpenForReading(path);
    if (file == nullptr) {
        return ErrorFromErrno(errno);
    }
    std::vector<std::uint8_t> bytes(maxBytes);
    const std::size_t got = std::fread(bytes.data(), 1, maxBytes, file);
    const bool failed = std::ferror(file) != 0;
    const int code = errno;
    std::fclose(file);
    if (failed) {
        return ErrorFromErrno(code != 0 ? code : EIO);
    }
    bytes.resize(got);
    return bytes;
}

FileResult<std::vector<std::uint8_t>> ReadFileExactly(const fs::path& path, std::size_t count) {
    // One byte more than expected tells a file that has grown.
    FileResult<std::vector<std::uint8_t>> bytes = ReadFilePrefix(path, count + 1);
    if (bytes.ok() && bytes.value().size() != count) {
        return FileError{FileProblem::Changed, "file changed while it was read"};
    }
    return bytes;
}

FileResult<fs::path> WriteFileBeside(const fs::path& target, std::span<const std::uint8_t> bytes,
                                     bool flush) {
    std::error_code ec;
    if (fs::is_directory(target, ec)) {
        return FileError{FileProblem::IsFolder, "is a folder"};
    }
    return WriteBeside(target, bytes, flush);
}

FileStatus ReplaceFile(const fs::path& temporary, const fs::path& target) {
    return Replace(temporary, target);
}

FileStatus FlushFileSystem(const fs::path& folder) {
    return FlushVolume(folder);
}

FileStatus WriteFileAtomically(const fs::path& path, std::span<const std::uint8_t> bytes) {
    const FileResult<fs::path> temporary = WriteFileBeside(path, bytes, true);
    if (!temporary) {
        return temporary.error();
    }
    return ReplaceFile(temporary.value(), path);
}

bool PathExists(const fs::path& path) {
    std::error_code ec;
    return fs::exists(fs::symlink_status(path, ec));
}

void IgnoreFileSizeSignal() {
#ifndef _WIN32
    std::signal(SIGXFSZ, SIG_IGN);
#endif
}

} // namespace kalvero
