#pragma once

#include <QString>
#include <filesystem>

namespace kalvero::cli {

// The path a command-line argument names, umlauts and all.
std::filesystem::path PathFromArgument(const QString& argument);

} // namespace kalvero::cli
