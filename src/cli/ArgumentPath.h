#pragma once

#include <filesystem>
#include <string>

namespace kalvero::cli {

// The path a command-line argument names: its bytes on Unix, UTF-8 on Windows.
std::filesystem::path PathFromArgument(const std::string& argument);

} // namespace kalvero::cli
