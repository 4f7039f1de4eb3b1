#pragma once

// What the file layer (FileIo.cpp) asks of the system, in one file for each:
// FilePlatformPosix.cpp (Linux and the browser's file system) and
// FilePlatformWindows.cpp. Not for use outside the file layer.

#include "document/FileIo.h"

#include <cstdio>
#include <filesystem>
#include <optional>
#include <span>
#include <system_error>
#include <vector>

namespace kalvero::fileio {

FileError LinkLoop();
FileError Folder();
FileError NotRegular();
FileError WriteProtected();
FileError ErrorFromErrno(int code);
FileError ErrorFromCode(const std::error_code& code);

std::FILE* OpenForReading(const std::filesystem::path& path);
// The user may make and rename files in the folder, which exists.
FileStatus CheckFolderWritable(const std::filesystem::path& folder);
// A temporary file beside target holding bytes, flushed to the disk when asked.
FileResult<std::filesystem::path> WriteBeside(const std::filesystem::path& target,
                                              std::span<const std::uint8_t> bytes, bool flush);
FileStatus Replace(const std::filesystem::path& temporary, const std::filesystem::path& target);
// A file at target may be replaced: none, or a regular file that may be written.
FileStatus CheckExistingTarget(const std::filesystem::path& target);
std::optional<FileIdentity> IdentityOfFile(const std::filesystem::path& path);
std::optional<FileIdentity> IdentityOfStream(StandardStream stream);
FileStatus FlushVolumes(const std::vector<std::filesystem::path>& folders);

} // namespace kalvero::fileio
