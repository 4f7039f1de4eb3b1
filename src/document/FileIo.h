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

// Reads exactly count bytes from the start of a file; a file that has become
// shorter since its length was taken is an error.
FileResult<std::vector<std::uint8_t>> ReadFileExactly(const std::filesystem::path& path,
                                                      std::size_t count);

// Writes bytes to a new file beside the target, flushes it to disk and renames
// it over the target. On any failure the temporary file is removed and an
// existing target keeps its old bytes.
FileStatus WriteFileAtomically(const std::filesystem::path& path,
                               std::span<const std::uint8_t> bytes);

// True when anything (file, folder, link) already has this name.
bool PathExists(const std::filesystem::path& path);

// A write that exceeds the process's file-size limit must fail with an error
// the program can report, not kill the process half-way through.
void IgnoreFileSizeSignal();

} // namespace kalvero
