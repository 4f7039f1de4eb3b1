#include "document/FilePlatform.h"
#include "document/TemporaryFiles.h"

#include <algorithm>
#include <windows.h>
// windows.h makes ReplaceFile a name for ReplaceFileW, which FileIo.h declares as our own.
#undef ReplaceFile

namespace kalvero::fileio {
namespace fs = std::filesystem;

std::FILE* OpenForReading(const fs::path& path) {
    return _wfopen(path.c_str(), L"rb");
}

FileStatus CheckFolderWritable(const fs::path&) {
    return Succeeded;
}

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
                       ? FileError{FileProblem::NotFound, FolderNotFound()}
                       : FileError{
                             FileProblem::Other,
                             Reason::of<"cannot create a file in this folder",
                                        "in diesem Ordner kann keine Datei angelegt werden">()};
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
        FileError error =
            code == ERROR_DISK_FULL || code == ERROR_HANDLE_DISK_FULL
                ? FileError{FileProblem::DiskFull, Reason::of<"disk full", "Datenträger voll">()}
                : FileError{FileProblem::Other,
                            Reason::of<"cannot write the file",
                                       "die Datei kann nicht geschrieben werden">()};
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
        return denied ? FileError{FileProblem::PermissionDenied,
                                  Reason::of<"permission denied", "Zugriff verweigert">()}
                      : FileError{FileProblem::Other,
                                  Reason::of<"cannot replace the file",
                                             "die Datei kann nicht ersetzt werden">()};
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

} // namespace kalvero::fileio

void kalvero::IgnoreFileSizeSignal() {}
