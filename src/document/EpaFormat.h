#pragma once

#include "base/FileResult.h"
#include "document/LogoDocument.h"

#include <cstdint>
#include <filesystem>
#include <optional>
#include <span>
#include <string>
#include <vector>

namespace kalvero {

inline constexpr std::uint64_t Epa2ShortLength = 5772;
inline constexpr std::uint64_t Epa2TallLength = 8628;

enum class EpaLengthClass { ShortLogo, TallLogo, Version2, NotAccepted };

// Only the length tells an EPA file's kind; no byte of it is examined.
EpaLengthClass ClassifyEpaLength(std::uint64_t length);

// Why a file of a version-1 logo's length (1602 or 2367 bytes) is no such
// logo: its count bytes, which the BIOS reads, do not say the 17 x 6 or
// 17 x 9 cells its length holds. head holds at least the file's first two
// bytes. Nothing when they fit, or for any other length.
std::optional<Reason> Version1CountsProblem(std::uint64_t length,
                                            std::span<const std::uint8_t> head);

// Opens a version-1 logo: clears EpaData, sets TallLogo from the length and
// copies the file's bytes. A file of any other length, or whose counts do not
// fit its length, is refused with the reason, and the document is left as it
// was.
FileStatus ReadEpa(LogoDocument& document, const std::filesystem::path& path);

// The file image of the logo: 2367 bytes of EpaData for a tall logo; for a
// short one the rows byte is 6, whatever EpaData holds, then come positions
// 1..1532 and the fixed trailer, 1602 bytes in all.
std::vector<std::uint8_t> WriteEpa(const LogoDocument& document);

// WriteEpa into a file, replacing it only once the new bytes are complete.
FileStatus SaveEpaFile(LogoDocument& document, const std::filesystem::path& path);

} // namespace kalvero
