#pragma once

#include "base/FileResult.h"
#include "conversion/FileKind.h"

#include <cstdint>
#include <span>
#include <string>

namespace kalvero::bios {

// What a logo module (type 0x4002) holds: an EPA version-1 logo of 17 cell
// columns and any number of rows (the two counts, an attribute byte and 14
// glyph bytes a cell, then the 70-byte trailer; 1602 and 2367 bytes by their
// length alone, as the editor reads them), or an EPA 2.0 image that ParseEpa2
// reads. Anything else is refused with what it is ("it is a bitmap", "it
// holds only the 70-byte trailer of an EPA logo, no picture").
FileResult<FileKind> LogoKind(std::span<const std::uint8_t> logo);

// What a full-screen logo module (type 0x4000) holds: an EPA 2.0 image of 16
// colours, of any size; anything else is refused with what it is.
FileResult<FileKind> FullScreenKind(std::span<const std::uint8_t> logo);

// DescribeFileKind, and for a version-1 logo of other than 6 or 9 rows
// "EPA version 1, 17 x 2 cells, 136 x 28".
Reason DescribeLogo(const FileKind& kind);

} // namespace kalvero::bios
