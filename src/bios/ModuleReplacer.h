#pragma once

#include "base/FileResult.h"
#include "bios/ImageChecks.h"
#include "bios/ImageInspection.h"

#include <cstddef>
#include <cstdint>
#include <span>
#include <string>
#include <vector>

namespace kalvero::bios {

// A module to be given new original data.
struct ModuleReplacement {
    std::size_t index = 0; // into the image's modules
    std::span<const std::uint8_t> data;
};

// One replaced module, for a dry run and the report after it: its packed data
// before and after, and the bytes behind it (up to the next replaced module
// or its chain's end), which move by shift.
struct ModuleChange {
    std::size_t offset = 0; // where the module stood before
    std::size_t oldPackedSize = 0;
    std::size_t newPackedSize = 0;
    std::size_t movedBytes = 0;
    std::ptrdiff_t shift = 0;
    std::size_t roomBefore = 0; // its chain's free room
    std::size_t roomAfter = 0;
};

// The bytes of one chain that a replacement may change: from its first
// replaced module to its old or new end, whichever is later.
struct ChangedArea {
    std::size_t chain = 0;
    std::size_t start = 0;
    std::size_t end = 0;
};

struct ReplacementPlan {
    std::vector<ModuleChange> modules;
    std::vector<ChangedArea> areas;
    std::vector<CheckChange> checks;
    Reason note; // what a person should know beside it, if anything
};

struct Replacement {
    std::vector<std::uint8_t> image; // proven by ProveReplacement
    ReplacementPlan plan;
};

// A new image with the modules given new data, on an inspected image whose
// checks hold (the steps of docs/bios-images.md, "What replace changes", from
// step 3): each new module is packed with our own LH5 encoder and unpacked
// again, keeps the old header but for sizes, CRC and header sum, and takes
// the old one's place; the modules behind it in its chain move with it, 0xFF
// fills where the chain became shorter, and the chain must end within its
// free room. C3 and W are kept where they held and C2 always, and the result
// is proven from scratch. A new logo too large for the room is refused.
FileResult<Replacement> ReplaceModules(std::span<const std::uint8_t> image,
                                       const ImageInspection& inspection,
                                       std::vector<ModuleReplacement> replacements);

} // namespace kalvero::bios
