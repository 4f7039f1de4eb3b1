#pragma once

#include "base/FileResult.h"
#include "document/LogoDocument.h"

#include <cstdint>
#include <filesystem>
#include <vector>

namespace kalvero {

inline constexpr std::uint64_t Epa2ShortLength = 5772;
inline constexpr std::uint64_t Epa2TallLength = 8628;

enum class EpaLengthClass { ShortLogo, TallLogo, Version2, NotAccepted };

// Only the length tells an EPA file's kind; no byte of it is examined.
EpaLengthClass ClassifyEpaLength(std::uint64_t length);

// Opens a version-1 logo: clears EpaData, sets TallLogo from the length and
// copies the file's bytes. A file of any other length is refused with the
// reason, and the document is left as it was.
FileStatus ReadEpa(LogoDocument& document, const std::filesystem::path& path);

// The file image of the logo: 2367 bytes of EpaData for a tall logo; for a
// short one the rows byte is 6, whatever EpaData holds, then come positions
// 1..1532 and the fixed trailer, 1602 bytes in all.
std::vector<std::uint8_t> WriteEpa(const LogoDocument& document);

// WriteEpa into a file, replacing it only once the new bytes are complete.
FileStatus SaveEpaFile(LogoDocument& document, const std::filesystem::path& path);

} // namespace kalvero
