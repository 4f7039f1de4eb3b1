#pragma once

#include "base/FileResult.h"
#include "bios/AwardImage.h"

#include <cstddef>
#include <cstdint>
#include <span>
#include <string>
#include <vector>

namespace kalvero::bios {

struct WalkedChain {
    std::size_t end = 0; // just after the last separator
    std::vector<Module> modules;
    // Where another reader would find other modules: why, one a place.
    std::vector<Reason> otherReadings;
};

// Walks the chain from start: a module, its separator, and so on until a
// separator is followed by 0xFF. The first module is the system module when
// the chain starts at a place of the system module (systemPlace) and its type
// is 0x5000; its separator is 00 and C1, or 00 alone in images without C1.
// Nothing of the chain may reach limit. Anything else is refused: the chain
// cannot be walked. A chain walked that could be read another way is not
// refused but told in otherReadings: an 0xFF that ends it with a module header
// of a valid sum right behind it (or, after a module of type 0x5000, one byte
// further, behind the place of C1), and a module of type 0x5000 other than the
// system module, behind which some readers take two separator bytes, unless
// it ends its chain with 00 and 0xFF bytes (as measured).
FileResult<WalkedChain> WalkChain(std::span<const std::uint8_t> image, std::size_t start,
                                  std::size_t limit, bool systemPlace);

// True when a module header that ReadModuleHeader accepts starts at offset.
bool ModuleStartsAt(std::span<const std::uint8_t> image, std::size_t offset);

} // namespace kalvero::bios
