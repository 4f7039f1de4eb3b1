#pragma once

#include "base/FileResult.h"

#include <optional>
#include <string>

namespace kalvero {

inline constexpr int BackupSlots = 100;

// Copies a logo file to the lowest free backup name (BackupName 0..99), so a
// gap left by a deleted backup is filled first. Gives the name written, or no
// name when all 100 are taken; an existing name is never overwritten.
FileResult<std::optional<std::string>> MakeBackup(const std::string& path);

} // namespace kalvero
