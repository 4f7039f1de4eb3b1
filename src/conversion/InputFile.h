#pragma once

#include "conversion/FileKind.h"

#include <cstdint>
#include <filesystem>
#include <vector>

namespace kalvero {

// Accepted files longer than this are refused rather than read; only an EPA
// 2.0 image of 256 colours and several million pixels comes near it.
inline constexpr std::uint64_t MaxInputLength = 64 * 1024 * 1024;

struct InputFile {
    FileKind kind;
    std::vector<std::uint8_t> bytes;
};

// Classifies a file and reads it whole when it is accepted; a file that is not
// is refused with the reason. A file of at most
// the longest fixed-length kind is read in one go; a longer one is read only
// after its first bytes show it to be an EPA 2.0 image of acceptable length.
FileResult<InputFile> ReadInputFile(const std::filesystem::path& path);

} // namespace kalvero
