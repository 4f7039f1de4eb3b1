#include "document/FileIo.h"

#include "document/FilePlatform.h"
#include "document/TemporaryFiles.h"

#include <cerrno>
#include <cstdio>
#include <cstring>
#include <system_error>

namespace kalvero {
namespace fs = std::filesystem;

namespace fileio {

FileError LinkLoop() {
    return {FileProblem::Other, Reason::of<"too many levels of symbolic links",
                                           "zu viele symbolische Verknüpfungen hintereinander">()};
}

// An empty name names nothing: not a missing file, nor a folder.
FileError EmptyName() {
    return {FileProblem::Other, Reason::of<"empty name", "leerer Name">()};
}

FileError Folder() {
    return {FileProblem::IsFolder, Reason::of<"is a folder", "ist ein Ordner">()};
}

FileError NotRegular() {
    return {FileProblem::NotRegularFile,
            Reason::of<"not a regular file", "keine gewöhnliche Datei">()};
}

FileError WriteProtected() {
    return {FileProblem::WriteProtected,
            Reason::of<"is write-protected", "ist schreibgeschützt">()};
}

FileError ErrorFromCode(const std::error_code& code) {
    return ErrorFromErrno(code.value());
}

FileError ErrorFromErrno(int code) {
    switch (code) {
    case ENOENT:
        return {FileProblem::NotFound, Reason::of<"file not found", "Datei nicht gefunden">()};
    case EACCES:
    case EPERM:
        return {FileProblem::PermissionDenied,
                Reason::of<"permission denied", "Zugriff verweigert">()};
    case EISDIR:
        return Folder();
    case ENOSPC:
        return {FileProblem::DiskFull, Reason::of<"disk full", "Datenträger voll">()};
    case EFBIG:
        return {FileProblem::TooLarge,
                Reason::of<"file too large for this disk or user limit",
                           "Datei zu groß für diesen Datenträger oder die Grenze des Benutzers">()};
    case EROFS:
        return {FileProblem::PermissionDenied,
                Reason::of<"read-only file system", "schreibgeschütztes Dateisystem">()};
    case ENAMETOOLONG:
        return {FileProblem::Other, Reason::of<"name too long", "Name zu lang">()};
    case ENOTDIR:
        return {FileProblem::NotFound, FolderNotFound()};
    case ELOOP:
        return LinkLoop();
    default:
        return {FileProblem::Other, Reason::of<"system error {}: {}", "Systemfehler {}: {}">(
                                        code, std::strerror(code))};
    }
}

} // namespace fileio

namespace {

using namespace fileio;

// As many links as Linux follows in one name.
constexpr int MaxLinkHops = 40;

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
                   : FileError{FileProblem::NotFound,
                               Reason::of<"file not found", "Datei nicht gefunden">()};
    }
    if (fs::is_directory(status)) {
        return Folder();
    }
    if (!fs::is_regular_file(status)) {
        return NotRegular();
    }
    return std::nullopt;
}

// A write makes its temporary file in the target's folder and renames it
// there: the folder must be there, and the user may change it.
FileStatus CheckFolderOf(const fs::path& target) {
    std::error_code ec;
    const fs::path folder = target.has_parent_path() ? target.parent_path() : fs::path(".");
    if (!fs::is_directory(folder, ec)) {
        return ec && ec != std::errc::no_such_file_or_directory && ec != std::errc::not_a_directory
                   ? FileStatus(ErrorFromCode(ec))
                   : FileStatus(FileError{FileProblem::NotFound, FolderNotFound()});
    }
    return CheckFolderWritable(folder);
}

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
    return FileError{FileProblem::Other,
                     Reason::of<"leads to an open file that has no name",
                                "führt zu einer geöffneten Datei ohne Namen">()};
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

FileError ErrorOfSystemCall(int code) {
    return fileio::ErrorFromErrno(code);
}

Reason FolderNotFound() {
    return Reason::of<"folder not found", "Ordner nicht gefunden">();
}

Reason ChangedWhileRead() {
    return Reason::of<"file changed while it was read", "Datei hat sich beim Lesen geändert">();
}

Reason TooLargeToRead(std::uint64_t length, std::uint64_t most) {
    return Reason::of<"too large: {} bytes (at most {} are read)",
                      "zu groß: {} Bytes (höchstens {} werden gelesen)">(length, most);
}

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
        return FileError{FileProblem::Changed, ChangedWhileRead()};
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

} // namespace kalvero
