#pragma once

#include "base/FileResult.h"
#include "bios/ImageChecks.h"
#include "bios/ImageInspection.h"

#include <cstddef>
#include <cstdint>
#include <span>
#include <vector>

namespace kalvero::bios {

// What a logo replacement may have changed: the bytes from the logo module's
// start to the end of its chain (old or new, whichever is later) and the
// check bytes.
struct ChangedArea {
    std::size_t logoIndex = 0;
    std::size_t start = 0;
    std::size_t end = 0;
    std::vector<CheckChange> checks;
};

// The last step before a new image leaves the program: it is parsed again from
// scratch and must have every module unpacking with its CRC, the logo module
// holding exactly logo, every other module the same original data (and the
// moved ones the same bytes), the same layout, chains, size and check states,
// and no byte changed outside the changed area. Refuses otherwise, saying
// what differs.
FileStatus ProveReplacement(std::span<const std::uint8_t> before, const ImageInspection& old,
                            std::span<const std::uint8_t> after, std::span<const std::uint8_t> logo,
                            const ChangedArea& area);

} // namespace kalvero::bios
