#pragma once

#include "support/TempDir.h"

#include <filesystem>
#include <string>

namespace kalvero::test {

inline std::string ReadTextFile(const std::filesystem::path& file) {
    const auto bytes = ReadBytes(file);
    return {bytes.begin(), bytes.end()};
}

// Creates the file's folders as needed.
inline void WriteTextFile(const std::filesystem::path& file, const std::string& text) {
    std::filesystem::create_directories(file.parent_path());
    WriteBytes(file, {text.begin(), text.end()});
}

} // namespace kalvero::test
