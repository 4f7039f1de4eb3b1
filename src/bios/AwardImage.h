#pragma once

#include "bios/FixedBlocks.h"
#include "bios/ModuleHeader.h"

#include <cstddef>
#include <cstdint>
#include <optional>
#include <string>
#include <vector>

namespace kalvero::bios {

// How the modules are laid out: (A) the system module first and the others
// straight after it; (B) a 256 KiB image split in two, a chain without the
// system module at 0 and the system module at 0x20000, maybe with further
// modules at fixed places; (C) a system module under 64 KiB at 0 and the
// others from 0x10000.
enum class ImageLayout { SystemFirst, Split, SmallSystem };

inline constexpr std::size_t SplitOffset = 0x20000;
inline constexpr std::size_t SmallSystemLimit = 0x10000;

// "A (system module first)" and the like.
std::string LayoutName(ImageLayout layout);

struct Module {
    std::size_t offset = 0; // the header's first byte
    ModuleHeader header;
    std::size_t chain = 0;
    bool system = false;
    // 00 after every module; 00 and C1 after the system module, unless the
    // image does without C1; none where 0xFF ends the chain in its place.
    std::size_t separatorLength = 1;

    std::size_t end() const { return offset + header.length(); }
    std::size_t next() const { return end() + separatorLength; }
};

// Modules that follow each other, each with its separator, then 0xFF.
struct Chain {
    std::size_t start = 0;
    std::size_t end = 0;     // just after the last separator: the 0xFF that ends the chain
    std::size_t roomEnd = 0; // the run of 0xFF from end that the chain may use ends here
    std::size_t firstModule = 0;
    std::size_t moduleCount = 0;

    // The bytes the chain may grow by: its 0xFF run but the last byte, which
    // must stay 0xFF to end it.
    std::size_t room() const { return roomEnd - end - 1; }
};

// Bytes [start, end) behind a chain's end that are neither 0xFF nor a chain:
// a block no module names, or modules behind a damaged header.
struct ForeignBytes {
    std::size_t start = 0;
    std::size_t end = 0;
    // A block of the BIOS's own uncompressed code or tables, as real images
    // have one before the decompression block: it starts at a 4 KiB boundary,
    // stays within that 4 KiB and holds nothing like a module header.
    bool ownBlock = false;
};

// A check byte: where it is, what it holds and what the rule gives.
struct CheckByte {
    std::size_t offset = 0;
    std::uint8_t stored = 0;
    std::uint8_t computed = 0;

    bool holds() const { return stored == computed; }
};

// The checks measured on the image. C1: the sum of the system module's bytes,
// after its 00; C2: the sum of db .. P2 - 1 at P2; C3: the sum of 0 .. P3 - 1
// at P3; W: the 16-bit sum of all words, 0 in some images, which a word in
// the boot block balances.
struct ImageChecks {
    bool c1Present = false;
    CheckByte c1;
    CheckByte c2;
    CheckByte c3;
    std::uint16_t wordSum = 0;
    std::optional<std::size_t> balanceWord;

    bool wordSumHolds() const { return wordSum == 0; }
};

// An Award image as walked: nothing here is assumed, each part was found and
// checked on the bytes.
struct AwardImage {
    std::size_t size = 0;
    ImageLayout layout = ImageLayout::SystemFirst;
    FixedBlocks blocks;
    std::vector<Chain> chains;
    std::vector<Module> modules;       // in the order of the image
    std::vector<ForeignBytes> foreign; // below the decompression block's 4 KiB
    // Where a reader could find other modules than these (see WalkChain).
    std::vector<Reason> otherReadings;
    std::size_t systemModule = 0;
    ImageChecks checks;
};

} // namespace kalvero::bios
