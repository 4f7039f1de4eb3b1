#pragma once

#include "base/FileResult.h"
#include "bios/ImageChecks.h"

#include <cstddef>
#include <cstdint>
#include <span>
#include <vector>

namespace kalvero::bios {

// What a replacement changes, for a dry run and for the report after it.
struct ReplacementPlan {
    std::size_t logoOffset = 0;
    std::size_t oldPackedSize = 0; // the logo module's packed data, before and after
    std::size_t newPackedSize = 0;
    std::size_t movedBytes = 0; // the bytes behind the logo up to the chain's end
    std::ptrdiff_t shift = 0;   // how far they move
    std::size_t roomBefore = 0; // the chain's free 0xFF room
    std::size_t roomAfter = 0;
    std::vector<CheckChange> checks;
};

struct LogoReplacement {
    std::vector<std::uint8_t> image; // proven by ProveReplacement
    ReplacementPlan plan;
};

// A new image with logo in place of the image's logo module: the image is
// walked and every module and check verified, the logo must be of the old
// logo's kind and size, it is packed with our own LH5 encoder and unpacked
// again, the old header is kept but for sizes, CRC and header sum, the modules
// behind it move within the chain's 0xFF room, C3 and W are kept where they
// held and C2 always, and the result is proven from scratch. Anything that
// does not hold is refused, with why and what to do.
FileResult<LogoReplacement> ReplaceLogo(std::span<const std::uint8_t> image,
                                        std::span<const std::uint8_t> logo);

} // namespace kalvero::bios
