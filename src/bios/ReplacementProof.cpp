#include "bios/ReplacementProof.h"

#include "bios/ImageBytes.h"
#include "bios/ImageVerification.h"

#include <algorithm>

namespace kalvero::bios {
namespace {

bool SameModule(const Module& a, const Module& b) {
    return a.header.type == b.header.type && a.header.name == b.header.name &&
           a.header.packing == b.header.packing && a.header.loadOffset == b.header.loadOffset &&
           a.system == b.system && a.chain == b.chain;
}

bool SameChecks(const ImageChecks& a, const ImageChecks& b) {
    return a.c1Present == b.c1Present && a.c1.holds() == b.c1.holds() && b.c2.holds() &&
           a.c3.holds() == b.c3.holds() && a.wordSumHolds() == b.wordSumHolds();
}

bool MayChange(std::size_t offset, const ChangedArea& area) {
    return std::any_of(area.checks.begin(), area.checks.end(), [offset](const CheckChange& check) {
        return offset >= check.offset &&
               offset < check.offset + static_cast<std::size_t>(check.width);
    });
}

// The first byte that differs outside the changed area, if any.
std::optional<std::size_t> ChangeOutside(std::span<const std::uint8_t> before,
                                         std::span<const std::uint8_t> after,
                                         const ChangedArea& area) {
    for (std::size_t i = 0; i < before.size(); ++i) {
        if (i == area.start) {
            i = area.end - 1;
        } else if (before[i] != after[i] && !MayChange(i, area)) {
            return i;
        }
    }
    return std::nullopt;
}

std::optional<std::string> Difference(std::span<const std::uint8_t> before,
                                      const ImageInspection& old,
                                      std::span<const std::uint8_t> after,
                                      std::span<const std::uint8_t> logo, const ChangedArea& area) {
    if (after.size() != before.size()) {
        return "its size changed";
    }
    const FileResult<ImageInspection> inspected = InspectAwardImage(after);
    if (!inspected) {
        return inspected.error().reason;
    }
    const ImageInspection& now = inspected.value();
    for (const CheckResult& check : VerifyImage(now)) {
        if (check.verdict == Verdict::Fails) {
            return "the check \"" + check.name + "\" fails: " + check.detail;
        }
    }
    const AwardImage& a = old.image;
    const AwardImage& b = now.image;
    if (a.layout != b.layout || a.chains.size() != b.chains.size() ||
        a.modules.size() != b.modules.size()) {
        return "its layout or its chains changed";
    }
    for (std::size_t i = 0; i < a.chains.size(); ++i) {
        if (a.chains[i].start != b.chains[i].start) {
            return "a chain moved";
        }
    }
    const Module& logoModule = a.modules[area.logoIndex];
    for (std::size_t i = 0; i < a.modules.size(); ++i) {
        const Module& was = a.modules[i];
        const Module& is = b.modules[i];
        if (!SameModule(was, is)) {
            return "the module at " + Hex(is.offset) + " is not the one that was there";
        }
        const std::span<const std::uint8_t> expected =
            i == area.logoIndex ? logo : std::span<const std::uint8_t>(old.contents[i].data);
        if (!std::equal(expected.begin(), expected.end(), now.contents[i].data.begin(),
                        now.contents[i].data.end())) {
            return "the module at " + Hex(is.offset) + " unpacks to other data";
        }
        const bool moved = i > area.logoIndex && was.chain == logoModule.chain;
        if (moved && !std::equal(before.begin() + static_cast<long>(was.offset),
                                 before.begin() + static_cast<long>(was.next()),
                                 after.begin() + static_cast<long>(is.offset),
                                 after.begin() + static_cast<long>(is.next()))) {
            return "the moved module at " + Hex(is.offset) + " changed its bytes";
        }
    }
    if (!SameChecks(a.checks, b.checks)) {
        return "its checks do not hold as they held before";
    }
    const Chain& chain = a.chains[logoModule.chain];
    if (area.end >= chain.roomEnd ||
        (a.layout == ImageLayout::Split && chain.start < SplitOffset && area.end >= SplitOffset)) {
        return "its chain runs past its free room";
    }
    if (const std::optional<std::size_t> changed = ChangeOutside(before, after, area)) {
        return "the byte at " + Hex(*changed) + " changed";
    }
    return std::nullopt;
}

} // namespace

FileStatus ProveReplacement(std::span<const std::uint8_t> before, const ImageInspection& old,
                            std::span<const std::uint8_t> after, std::span<const std::uint8_t> logo,
                            const ChangedArea& area) {
    if (const std::optional<std::string> difference = Difference(before, old, after, logo, area)) {
        return Refusal("the new image failed the final check (" + *difference +
                       "), so nothing was written. This is a fault of Kalvero, not of your "
                       "files: please report it.");
    }
    return Succeeded;
}

} // namespace kalvero::bios
