#pragma once

#include "base/FileResult.h"
#include "bios/AwardImage.h"

#include <cstddef>
#include <cstdint>
#include <span>
#include <vector>

namespace kalvero::bios {

struct WalkedChain {
    std::size_t end = 0; // just after the last separator
    std::vector<Module> modules;
};

// Walks the chain from start: a module, its separator, and so on until a
// separator is followed by 0xFF. The first module is the system module when
// the chain starts at a place of the system module (systemPlace) and its type
// is 0x5000; its separator is 00 and C1, or 00 alone in images without C1.
// Nothing of the chain may reach limit. Anything else is refused: the chain
// cannot be walked.
FileResult<WalkedChain> WalkChain(std::span<const std::uint8_t> image, std::size_t start,
                                  std::size_t limit, bool systemPlace);

// True when a module header that ReadModuleHeader accepts starts at offset.
bool ModuleStartsAt(std::span<const std::uint8_t> image, std::size_t offset);

} // namespace kalvero::bios
