#pragma once

#include "base/FileResult.h"
#include "bios/ImageInspection.h"
#include "bios/ModuleReplacer.h"

#include <cstdint>
#include <span>
#include <vector>

namespace kalvero::bios {

// The last step before a new image leaves the program: it is parsed again from
// scratch and must have every module unpacking with its CRC, each replaced
// module holding exactly its new data, every other module the same original
// data (and the moved ones the same bytes), the same layout, chains and size,
// every check that held still holding (one not used may hold by chance); each
// changed area must end within its chain's free room, over nothing but 0xFF
// bytes, and no byte may differ outside the changed areas and the check bytes
// of the plan. Refuses otherwise as a fault of Kalvero, saying what differs.
FileStatus ProveReplacement(std::span<const std::uint8_t> before, const ImageInspection& old,
                            std::span<const std::uint8_t> after,
                            const std::vector<ModuleReplacement>& replacements,
                            const ReplacementPlan& plan);

} // namespace kalvero::bios
