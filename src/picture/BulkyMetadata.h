#pragma once

#include <cstdint>
#include <optional>
#include <span>
#include <vector>

namespace kalvero {

// Qt keeps a picture's text in memory several times over (a PNG's tEXt,
// zTXt and iTXt chunks, a JPEG's comments and Exif segments), though it never
// changes a pixel: 60 MB of comments took 400 MB. Gives the file without it
// when there is more than a little of it; nothing when the file is fine as it
// is. A JPEG keeps its first APP1 segment, where its orientation is.
std::optional<std::vector<std::uint8_t>> WithoutBulkyMetadata(std::span<const std::uint8_t> file);

} // namespace kalvero
