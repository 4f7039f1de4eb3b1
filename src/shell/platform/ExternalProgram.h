#pragma once

#include <chrono>
#include <filesystem>
#include <optional>
#include <string>
#include <vector>

namespace kalvero {

// The first executable file of this name in the folders of $PATH.
std::optional<std::filesystem::path> FindOnPath(const std::string& name);

// Runs a program with its output discarded and waits for it at most `limit`;
// a program still running then is killed. True when it ran and exited with 0.
bool RunProgram(const std::filesystem::path& program, const std::vector<std::string>& arguments,
                std::chrono::milliseconds limit);

} // namespace kalvero
