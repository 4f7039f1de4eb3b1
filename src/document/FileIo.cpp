#include "document/FileIo.h"

#include "document/TemporaryFiles.h"

#include <algorithm>
#include <cerrno>
#include <cstdio>
#include <cstring>
#include <system_error>

#ifdef _WIN32
#include <windows.h>
// windows.h makes ReplaceFile a name for ReplaceFileW; this file defines our own.
#undef ReplaceFile
#else
#include <csignal>
#include <fcntl.h>
#include <sys/stat.h>
#include <unistd.h>
#endif

namespace kalvero {
namespace fs = std::filesystem;

namespace {

// As many links as Linux follows in one name.
constexpr int MaxLinkHops = 40;

FileError LinkLoop() {
    return {FileProblem::Other, "too many levels of symbolic links"};
}

// An empty name names nothing: not a missing file, nor a folder.
FileError EmptyName() {
    return {FileProblem::Other, "empty name"};
}

FileError Folder() {
    return {FileProblem::IsFolder, "is a folder"};
}

FileError NotRegular() {
    return {FileProblem::NotRegularFile, "not a regular file"};
}

FileError WriteProtected() {
    return {FileProblem::WriteProtected, "is write-protected"};
}

FileError ErrorFromErrno(int code) {
    switch (code) {
    case ENOENT:
        return {FileProblem::NotFound, "file not found"};
    case EACCES:
    case EPERM:
        return {FileProblem::PermissionDenied, "permission denied"};
    case EISDIR:
        return Folder();
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
    case ELOOP:
        return LinkLoop();
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
    if (path.empty()) {
        return EmptyName();
    }
    std::error_code ec;
    const fs::file_status status = fs::status(path, ec);
    if (ec || !fs::exists(status)) {
        return ec && ec != std::errc::no_such_file_or_directory
                   ? ErrorFromCode(ec)
                   : FileError{FileProblem::NotFound, "file not found"};
    }
    if (fs::is_directory(status)) {
        return Folder();
    }
    if (!fs::is_regular_file(status)) {
        return NotRegular();
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

// A write makes its temporary file in the target's folder and renames it
// there: the folder must be there, and the user may change it.
FileStatus CheckFolderOf(const fs::path& target) {
    std::error_code ec;
    const fs::path folder = target.has_parent_path() ? target.parent_path() : fs::path(".");
    if (!fs::is_directory(folder, ec)) {
        return ec && ec != std::errc::no_such_file_or_directory && ec != std::errc::not_a_directory
                   ? FileStatus(ErrorFromCode(ec))
                   : FileStatus(FileError{FileProblem::NotFound, "folder not found"});
    }
#ifndef _WIN32
    if (::faccessat(AT_FDCWD, folder.c_str(), W_OK | X_OK, AT_EACCESS) != 0) {
        return ErrorFromErrno(errno);
    }
#endif
    return Succeeded;
}

#ifdef _WIN32

// Windows files are always flushed as they are written: there is no call that
// flushes a whole volume without administrator rights.
FileResult<fs::path> WriteBeside(const fs::path& target, std::span<const std::uint8_t> bytes,
                                 bool) {
    const fs::path folder = target.has_parent_path() ? target.parent_path() : fs::path(L".");
    wchar_t tempName[MAX_PATH];
    {
        const CleanupSignalsHeld held;
        if (GetTempFileNameW(folder.c_str(), L"kal", 0, tempName) == 0) {
            const DWORD code = GetLastError();
            return code == ERROR_PATH_NOT_FOUND || code == ERROR_DIRECTORY
                       ? FileError{FileProblem::NotFound, "folder not found"}
                       : FileError{FileProblem::Other, "cannot create a file in this folder"};
        }
        RegisterTemporaryFile(held, tempName);
    }
    // Shared for deletion: the console handler may remove it while it is open.
    const HANDLE file = CreateFileW(tempName, GENERIC_WRITE, FILE_SHARE_DELETE, nullptr,
                                    TRUNCATE_EXISTING, FILE_ATTRIBUTE_NORMAL, nullptr);
    bool written = file != INVALID_HANDLE_VALUE;
    std::size_t done = 0;
    while (written && done < bytes.size()) {
        DWORD count = 0;
        const DWORD chunk = static_cast<DWORD>(std::min<std::size_t>(bytes.size() - done, 1 << 30));
        written = WriteFile(file, bytes.data() + done, chunk, &count, nullptr) && count == chunk;
        done += count;
    }
    const DWORD code = GetLastError();
    written = written && FlushFileBuffers(file);
    if (file != INVALID_HANDLE_VALUE) {
        CloseHandle(file);
    }
    if (!written) {
        FileError error = code == ERROR_DISK_FULL || code == ERROR_HANDLE_DISK_FULL
                              ? FileError{FileProblem::DiskFull, "disk full"}
                              : FileError{FileProblem::Other, "cannot write the file"};
        if (!DeleteFileW(tempName) && GetLastError() != ERROR_FILE_NOT_FOUND) {
            error.leftBehind = Utf8FromPath(tempName);
        }
        ForgetTemporaryFile(tempName);
        return error;
    }
    return fs::path(tempName);
}

FileStatus Replace(const fs::path& temporary, const fs::path& target) {
    if (!MoveFileExW(temporary.c_str(), target.c_str(),
                     MOVEFILE_REPLACE_EXISTING | MOVEFILE_WRITE_THROUGH)) {
        const bool denied = GetLastError() == ERROR_ACCESS_DENIED;
        return denied ? FileError{FileProblem::PermissionDenied, "permission denied"}
                      : FileError{FileProblem::Other, "cannot replace the file"};
    }
    return Succeeded;
}

FileStatus CheckExistingTarget(const fs::path& target) {
    std::error_code ec;
    const fs::file_status status = fs::status(target, ec);
    if (!fs::exists(status)) {
        return Succeeded;
    }
    if (fs::is_directory(status)) {
        return Folder();
    }
    if (!fs::is_regular_file(status)) {
        return NotRegular();
    }
    // The read-only attribute shows as a file without write permissions.
    constexpr fs::perms writable =
        fs::perms::owner_write | fs::perms::group_write | fs::perms::others_write;
    if ((status.permissions() & writable) == fs::perms::none) {
        return WriteProtected();
    }
    return Succeeded;
}

std::optional<FileIdentity> IdentityOfHandle(HANDLE file) {
    BY_HANDLE_FILE_INFORMATION information{};
    if (!GetFileInformationByHandle(file, &information)) {
        return std::nullopt;
    }
    return FileIdentity{information.dwVolumeSerialNumber,
                        (static_cast<std::uint64_t>(information.nFileIndexHigh) << 32) |
                            information.nFileIndexLow};
}

std::optional<FileIdentity> IdentityOfFile(const fs::path& path) {
    const HANDLE file =
        CreateFileW(path.c_str(), 0, FILE_SHARE_READ | FILE_SHARE_WRITE | FILE_SHARE_DELETE,
                    nullptr, OPEN_EXISTING, FILE_FLAG_BACKUP_SEMANTICS, nullptr);
    if (file == INVALID_HANDLE_VALUE) {
        return std::nullopt;
    }
    const std::optional<FileIdentity> identity = IdentityOfHandle(file);
    CloseHandle(file);
    return identity;
}

std::optional<FileIdentity> IdentityOfStream(StandardStream stream) {
    const HANDLE handle =
        GetStdHandle(stream == StandardStream::Input ? STD_INPUT_HANDLE : STD_OUTPUT_HANDLE);
    return GetFileType(handle) == FILE_TYPE_DISK ? IdentityOfHandle(handle) : std::nullopt;
}

FileStatus FlushVolumes(const std::vector<fs::path>&) {
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

FileIdentity IdentityFromStatus(const struct stat& status) {
    return {static_cast<std::uint64_t>(status.st_dev), static_cast<std::uint64_t>(status.st_ino)};
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

#endif

// The links in /proc to what a process has open (where /dev/stdout leads)
// lead where the kernel knows, not where their text says: "pipe:[4711]", or
// the name of a file since deleted. When the link leads elsewhere than its
// text, what it leads to is refused by its kind: a pipe, a terminal or a
// device is not a regular file, and a file there has no name to replace.
std::optional<FileError> LinkToOpenFile(const fs::path& link, const fs::path& text) {
    const std::optional<FileIdentity> opened = IdentityOfFile(link);
    if (!opened || IdentityOfFile(text) == opened) {
        return std::nullopt;
    }
    std::error_code ec;
    const fs::file_status status = fs::status(link, ec);
    if (fs::is_directory(status)) {
        return Folder();
    }
    if (!fs::is_regular_file(status)) {
        return NotRegular();
    }
    return FileError{FileProblem::Other, "leads to an open file that has no name"};
}

// The name a write to path replaces: the end of its chain of symbolic links,
// each link's target taken relative to the link's own folder. A dangling
// link gives the missing name it points to.
FileResult<fs::path> FollowLinks(const fs::path& path) {
    if (path.empty()) {
        return EmptyName();
    }
    fs::path current = path;
    for (int hops = 0; hops <= MaxLinkHops; ++hops) {
        std::error_code ec;
        const fs::file_status status = fs::symlink_status(current, ec);
        if (status.type() == fs::file_type::not_found) {
            return current;
        }
        if (ec) {
            return ErrorFromCode(ec);
        }
        if (!fs::is_symlink(status)) {
            return current;
        }
        const fs::path text = fs::read_symlink(current, ec);
        if (ec) {
            return ErrorFromCode(ec);
        }
        // Not made lexically shorter: ".." after a linked folder is the
        // kernel's to resolve.
        const fs::path next = text.is_absolute() ? text : current.parent_path() / text;
        if (const std::optional<FileError> opened = LinkToOpenFile(current, next)) {
            return *opened;
        }
        current = next;
    }
    return LinkLoop();
}

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

std::optional<FileIdentity> IdentityOf(const fs::path& path) {
    return IdentityOfFile(path);
}

std::optional<FileIdentity> IdentityOfStandardStream(StandardStream stream) {
    return IdentityOfStream(stream);
}

bool SameFile(const fs::path& a, const fs::path& b) {
    const std::optional<FileIdentity> first = IdentityOfFile(a);
    return first && first == IdentityOfFile(b);
}

FileStatus CheckWriteTarget(const fs::path& path) {
    const FileResult<fs::path> target = FollowLinks(path);
    if (!target) {
        return target.error();
    }
    const FileStatus existing = CheckExistingTarget(target.value());
    return existing ? CheckFolderOf(target.value()) : existing;
}

FileResult<TemporaryFile> WriteFileBeside(const fs::path& target,
                                          std::span<const std::uint8_t> bytes, bool flush) {
    FileResult<fs::path> resolved = FollowLinks(target);
    if (!resolved) {
        return resolved.error();
    }
    if (const FileStatus checked = CheckExistingTarget(resolved.value()); !checked) {
        return checked.error();
    }
    FileResult<fs::path> temporary = WriteBeside(resolved.value(), bytes, flush);
    if (!temporary) {
        return temporary.error();
    }
    return TemporaryFile{std::move(temporary).value(), std::move(resolved).value()};
}

FileStatus ReplaceFile(const TemporaryFile& file) {
    // The last look before the rename: a target that has become a folder, a
    // device or a link since it was checked is left alone.
    std::error_code ec;
    const fs::file_status status = fs::symlink_status(file.target, ec);
    const FileStatus replaced = fs::exists(status) && !fs::is_regular_file(status)
                                    ? FileStatus(fs::is_directory(status) ? Folder() : NotRegular())
                                    : Replace(file.path, file.target);
    if (replaced) {
        ForgetTemporaryFile(file.path);
        return replaced;
    }
    return AbandonTemporaryFile(file, replaced.error());
}

FileError AbandonTemporaryFile(const TemporaryFile& file, FileError error) {
    if (!RemoveTemporaryFile(file)) {
        error.leftBehind = Utf8FromPath(file.path);
    }
    return error;
}

bool RemoveTemporaryFile(const TemporaryFile& file) {
    std::error_code ec;
    fs::remove(file.path, ec);
    ForgetTemporaryFile(file.path);
    return !PathExists(file.path);
}

FileStatus FlushFileSystems(const std::vector<fs::path>& folders) {
    return FlushVolumes(folders);
}

FileStatus WriteFileAtomically(const fs::path& path, std::span<const std::uint8_t> bytes) {
    const FileResult<TemporaryFile> written = WriteFileBeside(path, bytes, true);
    return written ? ReplaceFile(written.value()) : FileStatus(written.error());
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
