#pragma once

#include "document/FileResult.h"

#include <cstddef>
#include <cstdint>
#include <filesystem>
#include <span>
#include <string>
#include <vector>

namespace kalvero {

// Turns a UTF-8 text (as held in the document and shown to the user) into a
// path, and back.
std::filesystem::path PathFromUtf8(const std::string& text);
std::string Utf8FromPath(const std::filesystem::path& path);

// The length of a regular file. Never opens, creates or reads it, so a huge
// file costs nothing.
FileResult<std::uint64_t> FileLength(const std::filesystem::path& path);

// Reads at most maxBytes from the start of a regular file; a shorter file gives
// fewer bytes. Never creates a file.
FileResult<std::vector<std::uint8_t>> ReadFilePrefix(const std::filesystem::path& path,
                                                     std::size_t maxBytes);

// Reads a file of exactly count bytes; a file that has become shorter or
// longer since its length was taken is an error.
FileResult<std::vector<std::uint8_t>> ReadFileExactly(const std::filesystem::path& path,
                                                      std::size_t count);

// Writes bytes to a new file beside the target, flushes it to disk and renames
// it over the target. On any failure the temporary file is removed and an
// existing target keeps its old bytes.
FileStatus WriteFileAtomically(const std::filesystem::path& path,
                               std::span<const std::uint8_t> bytes);

// The two halves of WriteFileAtomically, for BatchWriter: a new file beside the
// target with the bytes and the target's permissions, flushed to disk only when
// asked (on Windows always), giving its path, or removed again on failure; and
// its rename over the target, which removes it when the rename fails.
FileResult<std::filesystem::path> WriteFileBeside(const std::filesystem::path& target,
                                                  std::span<const std::uint8_t> bytes, bool flush);
FileStatus ReplaceFile(const std::filesystem::path& temporary, const std::filesystem::path& target);

// Flushes everything written to the file system that holds the folder to disk.
FileStatus FlushFileSystem(const std::filesystem::path& folder);

// True when anything (file, folder, link) already has this name.
bool PathExists(const std::filesystem::path& path);

// A write that exceeds the process's file-size limit must fail with an error
// the program can report, not kill the process half-way through.
void IgnoreFileSizeSignal();

} // namespace kalvero
