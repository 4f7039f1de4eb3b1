#pragma once

#include "base/FileResult.h"
#include "bios/AwardImage.h"

#include <cstdint>
#include <span>

namespace kalvero::bios {

// Walks an Award image: the fixed blocks, the chains from 0 and every further
// chain that starts at a 4 KiB boundary where the 0xFF room of the one before
// ends, each chain's room, the bytes behind the last chain that are not
// 0xFF, the layout and the checks. Refuses, with the reason
// and what to do, an image that is not one of the layouts it knows or whose
// chains cannot be walked. Header sums and check bytes are measured, not
// required: InspectAwardImage and the checks judge them.
FileResult<AwardImage> ParseAwardImage(std::span<const std::uint8_t> image);

} // namespace kalvero::bios
