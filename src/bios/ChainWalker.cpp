#include "bios/ChainWalker.h"

#include "bios/FixedBlocks.h"
#include "bios/ImageBytes.h"

#include <optional>

namespace kalvero::bios {
namespace {

constexpr std::uint8_t Separator = 0x00;
constexpr std::uint8_t Fill = 0xFF;

// How many bytes follow the system module before the next module or the
// chain's end: 00 and C1 where C1 holds; else the next module or 0xFF tells
// whether a byte that does not hold stands there or none at all.
std::size_t SystemSeparatorLength(std::span<const std::uint8_t> image, const Module& system) {
    const std::size_t after = system.end() + 1;
    if (after >= image.size()) {
        return 1;
    }
    const std::uint8_t sum = ByteSum(image.subspan(system.offset, system.header.length()));
    if (image[after] == sum || ModuleStartsAt(image, after + 1)) {
        return 2;
    }
    if (ModuleStartsAt(image, after) || image[after] == Fill) {
        return 1;
    }
    return 2;
}

// The chain at start cannot be walked, for the reason given.
FileError Unwalkable(std::size_t start, const Reason& reason) {
    return Refusal(
        Reason::of<"the module chain at {} cannot be walked: {}",
                   "die Modulkette bei {} lässt sich nicht durchlaufen: {}">(Hex(start), reason));
}

// True when a module header whose header sum holds starts at offset.
bool SoundModuleAt(std::span<const std::uint8_t> image, std::size_t offset) {
    const FileResult<ModuleHeader> header = ReadModuleHeader(image, offset);
    return header && header.value().sumHolds();
}

// Why the chain could be read otherwise behind this module, if it could; next
// is where this reading goes on (a module, or the 0xFF that ends the chain).
std::optional<Reason> OtherReading(std::span<const std::uint8_t> image, const Module& module,
                                   std::size_t next) {
    const bool systemType = module.header.type == SystemModuleType;
    const std::size_t end = module.end();
    // The places where a reader that takes a separator of another length, or
    // 0xFF for 00, would look for the next module. A module right behind an
    // 0xFF at a 4 KiB boundary starts the next chain: both readings find it.
    const bool ffEnd = image[end] == Fill;
    for (const std::size_t other : {end + 1, end + 2}) {
        const bool separator =
            ffEnd ? other == end + 1 || systemType : systemType && !module.system;
        const bool nextChain = ffEnd && other == end + 1 && other % CheckBlockSize == 0;
        if (other == next || !separator || nextChain || !SoundModuleAt(image, other)) {
            continue;
        }
        const Reason reader =
            ffEnd ? (other == end + 1
                         ? Reason::of<"0xFF for the separator 00", "0xFF als Trennbyte 00">()
                         : Reason::of<"0xFF and C1 for 00 and C1", "0xFF und C1 als 00 und C1">())
                  : Reason::of<"two separator bytes (00 and C1) behind a module of type 0x5000",
                               "zwei Trennbytes (00 und C1) hinter einem Modul vom Typ "
                               "0x5000">();
        const Reason where =
            ffEnd ? Reason::of<"0xFF at {} ends the chain behind the module at {}",
                               "0xFF bei {} beendet die Kette hinter dem Modul bei {}">(
                        Hex(end), Hex(module.offset))
                  : Reason::of<"Kalvero reads on at {} behind the module at {}",
                               "Kalvero liest bei {} hinter dem Modul bei {} weiter">(
                        Hex(next), Hex(module.offset));
        return Reason::of<"{}, but a module header with a valid sum starts at {}, where a reader "
                          "that takes {} goes on",
                          "{}, aber ein Modulkopf mit gültiger Summe beginnt bei {}, wo ein Leser "
                          "weiterliest, der {} annimmt">(where, Hex(other), reader);
    }
    if (systemType && !module.system && image[next] != Fill) {
        return Reason::of<"the module at {} has the system module's type 0x5000 but is not the "
                          "system module: Kalvero reads one separator byte behind it, where a "
                          "reader that takes two (00 and C1) finds the next module elsewhere",
                          "das Modul bei {} hat den Typ 0x5000 des Systemmoduls, ist aber nicht "
                          "das Systemmodul: Kalvero liest ein Trennbyte dahinter, wo ein Leser, "
                          "der zwei (00 und C1) annimmt, das nächste Modul anderswo findet">(
            Hex(module.offset));
    }
    return std::nullopt;
}

} // namespace

bool ModuleStartsAt(std::span<const std::uint8_t> image, std::size_t offset) {
    return ReadModuleHeader(image, offset).ok();
}

FileResult<WalkedChain> WalkChain(std::span<const std::uint8_t> image, std::size_t start,
                                  std::size_t limit, bool systemPlace) {
    WalkedChain chain;
    std::size_t offset = start;
    for (;;) {
        FileResult<ModuleHeader> header = ReadModuleHeader(image, offset);
        if (!header) {
            return Unwalkable(
                start, Reason::of<"at {} {}.", "bei {}: {}.">(Hex(offset), header.error().reason));
        }
        Module module{offset, std::move(header).value()};
        module.system =
            systemPlace && chain.modules.empty() && module.header.type == SystemModuleType;
        if (module.end() >= limit) {
            return Unwalkable(start, Reason::of<"the module at {} runs into {}, the decompression "
                                                "block's 4 KiB.",
                                                "das Modul bei {} reicht in {}, die 4 KiB des "
                                                "Entpackblocks.">(Hex(offset), Hex(limit)));
        }
        const std::uint8_t after = image[module.end()];
        if (after != Separator && after != Fill) {
            return Unwalkable(
                start, Reason::of<"after the module at {} comes {} at {}, where 00 "
                                  "separates modules.",
                                  "nach dem Modul bei {} folgt {} bei {}, wo 00 die "
                                  "Module trennt.">(Hex(offset), Hex(after, 2), Hex(module.end())));
        }
        // Some chains end with 0xFF where the last module's 00 would stand.
        if (after == Fill) {
            module.separatorLength = 0;
        } else if (module.system) {
            module.separatorLength = SystemSeparatorLength(image, module);
        }
        offset = module.next();
        if (offset >= limit) {
            return Unwalkable(
                start,
                Reason::of<"it has no end before {}.", "sie endet nicht vor {}.">(Hex(limit)));
        }
        if (std::optional<Reason> other = OtherReading(image, module, offset)) {
            chain.otherReadings.push_back(std::move(*other));
        }
        chain.modules.push_back(std::move(module));
        if (image[offset] == Fill) {
            chain.end = offset;
            return chain;
        }
    }
}

} // namespace kalvero::bios
