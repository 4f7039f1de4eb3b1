#include "bios/ImageParser.h"

#include "bios/ChainWalker.h"
#include "bios/ImageBytes.h"
#include "bios/ImageChecks.h"

#include <algorithm>
#include <string_view>

namespace kalvero::bios {
namespace {

constexpr std::uint8_t Fill = 0xFF;

const Reason WhatToDo = Reason::of<
    " Kalvero changes only images whose every module it can find; use an unchanged image "
    "from the board's maker, or change this one with the maker's own tool.",
    " Kalvero ändert nur Abbilder, deren Module es alle findet; nehmen Sie ein unverändertes "
    "Abbild vom Hersteller des Boards, oder ändern Sie dieses mit dem Werkzeug des "
    "Herstellers.">();

// The first byte from `from` that is (fill) or is not (!fill) 0xFF, or limit.
std::size_t FirstWhere(std::span<const std::uint8_t> image, std::size_t from, std::size_t limit,
                       bool fill) {
    const auto end = image.begin() + static_cast<long>(limit);
    return static_cast<std::size_t>(
        std::find_if(image.begin() + static_cast<long>(from), end,
                     [fill](std::uint8_t byte) { return (byte == Fill) == fill; }) -
        image.begin());
}

// What a module header has at its third byte ("-lh5-", "-lh0-" and kin).
constexpr std::string_view MethodStart = "-lh";

bool IsOwnBlock(std::span<const std::uint8_t> image, const ForeignBytes& area) {
    const auto first = image.begin() + static_cast<long>(area.start);
    const auto last = image.begin() + static_cast<long>(area.end);
    return area.start % CheckBlockSize == 0 &&
           (area.end - 1) / CheckBlockSize == area.start / CheckBlockSize &&
           std::search(first, last, MethodStart.begin(), MethodStart.end()) == last;
}

// The runs of bytes other than 0xFF in [from, limit), one area a 4 KiB block.
std::vector<ForeignBytes> FindForeignBytes(std::span<const std::uint8_t> image, std::size_t from,
                                           std::size_t limit) {
    std::vector<ForeignBytes> areas;
    for (std::size_t at = FirstWhere(image, from, limit, false); at < limit;
         at = FirstWhere(image, at, limit, false)) {
        const std::size_t end = FirstWhere(image, at, limit, true);
        if (!areas.empty() && (areas.back().end - 1) / CheckBlockSize == at / CheckBlockSize) {
            areas.back().end = end;
        } else {
            areas.push_back({at, end});
        }
        at = end;
    }
    for (ForeignBytes& area : areas) {
        area.ownBlock = IsOwnBlock(image, area);
    }
    return areas;
}

bool SystemPlace(std::size_t offset, std::size_t imageSize) {
    return offset == 0 || (offset == SplitOffset && imageSize == LargeImageSize);
}

std::string ChainStarts(const AwardImage& parsed) {
    std::string text;
    for (const Chain& chain : parsed.chains) {
        text += (text.empty() ? "" : ", ") + Hex(chain.start);
    }
    return text;
}

// Tells the layout from the chains found, or refuses what matches none: by a
// stray byte in the last chain's free room, where one stands (a byte that is
// not at a 4 KiB boundary, where a block of its own may begin, or one before
// 0x20000 in a 256 KiB image, where the system module's chain would follow).
FileResult<ImageLayout> TellLayout(std::span<const std::uint8_t> image, const AwardImage& parsed) {
    const std::vector<Chain>& chains = parsed.chains;
    const Module& first = parsed.modules.front();
    if (first.system && chains.size() == 1) {
        return ImageLayout::SystemFirst;
    }
    if (first.system && chains.size() == 2 && chains[0].moduleCount == 1 &&
        chains[1].start == SmallSystemLimit) {
        return ImageLayout::SmallSystem;
    }
    if (!first.system && chains.size() >= 2 && chains[1].start == SplitOffset &&
        parsed.modules[chains[1].firstModule].system) {
        return ImageLayout::Split;
    }
    const std::size_t stray = parsed.foreign.empty() ? 0 : parsed.foreign.front().start;
    if (stray % CheckBlockSize != 0 || (parsed.size == LargeImageSize && stray < SplitOffset &&
                                        stray > parsed.chains.back().start)) {
        return Refusal(Reason::of<"the byte {} at {} stands in the free room behind the module "
                                  "chain at {}, where only 0xFF or a further chain at a 4 KiB "
                                  "boundary may stand, so Kalvero cannot tell how the modules are "
                                  "laid out.{}",
                                  "das Byte {} bei {} steht im freien Platz hinter der Modulkette "
                                  "bei {}, wo nur 0xFF oder eine weitere Kette an einer "
                                  "4-KiB-Grenze stehen darf; daher kann Kalvero nicht sagen, wie "
                                  "die Module liegen.{}">(
            Hex(image[stray], 2), Hex(stray), Hex(parsed.chains.back().start), WhatToDo));
    }
    return Refusal(Reason::of<"the modules are laid out in a way Kalvero does not know (chains at "
                              "{}): it knows the system module (type 0x5000) first with the "
                              "others after it, a 256 KiB image split at 0x20000, and a small "
                              "system module with the others from 0x10000.{}",
                              "die Module liegen auf eine Weise, die Kalvero nicht kennt (Ketten "
                              "bei {}): es kennt das Systemmodul (Typ 0x5000) zuerst und die "
                              "anderen dahinter, ein 256-KiB-Abbild, das bei 0x20000 geteilt ist, "
                              "und ein kleines Systemmodul mit den anderen ab 0x10000.{}">(
        ChainStarts(parsed), WhatToDo));
}

} // namespace

FileResult<AwardImage> ParseAwardImage(std::span<const std::uint8_t> image) {
    FileResult<FixedBlocks> blocks = FindFixedBlocks(image);
    if (!blocks) {
        return blocks.error();
    }
    AwardImage parsed;
    parsed.size = image.size();
    parsed.blocks = blocks.value();
    const std::size_t limit = parsed.blocks.chainLimit();
    if (!ModuleStartsAt(image, 0)) {
        return Refusal(Reason::of<"no module (LHA header with \"-lh5-\" or \"-lh0-\") at the "
                                  "image's start.{}",
                                  "kein Modul (LHA-Kopf mit \"-lh5-\" oder \"-lh0-\") am Anfang "
                                  "des Abbilds.{}">(WhatToDo));
    }
    std::size_t start = 0;
    while (start < limit) {
        FileResult<WalkedChain> walked =
            WalkChain(image, start, limit, SystemPlace(start, image.size()));
        if (!walked) {
            return Refusal(walked.error().reason + WhatToDo);
        }
        WalkedChain found = std::move(walked).value();
        Chain chain{start, found.end, 0, parsed.modules.size(), found.modules.size()};
        parsed.otherReadings.insert(parsed.otherReadings.end(), found.otherReadings.begin(),
                                    found.otherReadings.end());
        for (Module& module : found.modules) {
            module.chain = parsed.chains.size();
            parsed.modules.push_back(std::move(module));
        }
        // A further chain starts where the 0xFF run ends, at a 4 KiB boundary.
        // Anything else there is left alone: a 4 KiB block behind the chain's
        // last one whole (it may begin with 0xFF bytes of its own), and in the
        // chain's own last block every byte from the first that is not 0xFF.
        const std::size_t next = FirstWhere(image, chain.end, limit, false);
        const std::size_t boundary = next / CheckBlockSize * CheckBlockSize;
        chain.roomEnd = boundary > chain.end ? boundary : next;
        parsed.chains.push_back(chain);
        if (next % CheckBlockSize != 0 || !ModuleStartsAt(image, next)) {
            parsed.foreign = FindForeignBytes(image, next, limit);
            break;
        }
        start = next;
    }
    FileResult<ImageLayout> layout = TellLayout(image, parsed);
    if (!layout) {
        return layout.error();
    }
    parsed.layout = layout.value();
    const auto system = std::find_if(parsed.modules.begin(), parsed.modules.end(),
                                     [](const Module& module) { return module.system; });
    parsed.systemModule = static_cast<std::size_t>(system - parsed.modules.begin());
    parsed.checks = MeasureChecks(image, parsed.blocks, *system);
    return parsed;
}

} // namespace kalvero::bios
