#include "bios/ChainWalker.h"

#include "bios/ImageBytes.h"

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

std::string Where(std::size_t start) {
    return "the module chain at " + Hex(start) + " ";
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
            return Refusal(Where(start) + "cannot be walked: at " + Hex(offset) + " " +
                           header.error().reason + ".");
        }
        Module module{offset, std::move(header).value()};
        module.system =
            systemPlace && chain.modules.empty() && module.header.type == SystemModuleType;
        if (module.end() >= limit) {
            return Refusal(Where(start) + "cannot be walked: the module at " + Hex(offset) +
                           " runs into " + Hex(limit) + ", the decompression block's 4 KiB.");
        }
        const std::uint8_t after = image[module.end()];
        if (after != Separator && after != Fill) {
            return Refusal(Where(start) + "cannot be walked: after the module at " + Hex(offset) +
                           " comes " + Hex(after, 2) + " at " + Hex(module.end()) +
                           ", where 00 separates modules.");
        }
        // Some chains end with 0xFF where the last module's 00 would stand.
        if (after == Fill) {
            module.separatorLength = 0;
        } else if (module.system) {
            module.separatorLength = SystemSeparatorLength(image, module);
        }
        offset = module.next();
        chain.modules.push_back(std::move(module));
        if (offset >= limit) {
            return Refusal(Where(start) + "cannot be walked: it has no end before " + Hex(limit) +
                           ".");
        }
        if (image[offset] == Fill) {
            chain.end = offset;
            return chain;
        }
    }
}

} // namespace kalvero::bios
