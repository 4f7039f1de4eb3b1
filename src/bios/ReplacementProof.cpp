#include "bios/ReplacementProof.h"

#include "bios/ImageBytes.h"
#include "bios/ImageVerification.h"

#include <algorithm>

namespace kalvero::bios {
namespace {

constexpr std::uint8_t Fill = 0xFF;

bool SameModule(const Module& a, const Module& b) {
    return a.header.type == b.header.type && a.header.name == b.header.name &&
           a.header.packing == b.header.packing && a.header.loadOffset == b.header.loadOffset &&
           a.system == b.system && a.chain == b.chain && a.separatorLength == b.separatorLength;
}

// Every check that held still holds. One that was not used may now hold by
// chance (the new bytes sum to a C3 byte nothing checked, or the word sum
// comes to 0): the BIOS ignores it either way.
bool ChecksStillHold(const ImageChecks& a, const ImageChecks& b) {
    const auto kept = [](bool held, bool holds) {
        return !held || holds;
    };
    return a.c1Present == b.c1Present && kept(a.c1.holds(), b.c1.holds()) && b.c2.holds() &&
           kept(a.c3.holds(), b.c3.holds()) && kept(a.wordSumHolds(), b.wordSumHolds());
}

bool MayChange(std::size_t offset, const ReplacementPlan& plan) {
    const auto inArea = [offset](const ChangedArea& area) {
        return offset >= area.start && offset < area.end;
    };
    const auto inCheck = [offset](const CheckChange& check) {
        return offset >= check.offset &&
               offset < check.offset + static_cast<std::size_t>(check.width);
    };
    return std::any_of(plan.areas.begin(), plan.areas.end(), inArea) ||
           std::any_of(plan.checks.begin(), plan.checks.end(), inCheck);
}

// The replaced module's new data, or none when it is not replaced.
const ModuleReplacement* ReplacementOf(std::size_t index,
                                       const std::vector<ModuleReplacement>& replacements) {
    const auto found = std::find_if(
        replacements.begin(), replacements.end(),
        [index](const ModuleReplacement& replacement) { return replacement.index == index; });
    return found == replacements.end() ? nullptr : &*found;
}

// Where a module of a changed chain, not replaced itself, lies behind the
// area's start and so has moved.
bool Moved(const Module& module, const ReplacementPlan& plan) {
    return std::any_of(plan.areas.begin(), plan.areas.end(), [&module](const ChangedArea& area) {
        return area.chain == module.chain && module.offset > area.start;
    });
}

std::optional<Reason>
ModuleDifference(std::span<const std::uint8_t> before, const ImageInspection& old,
                 std::span<const std::uint8_t> after, const ImageInspection& now,
                 const std::vector<ModuleReplacement>& replacements, const ReplacementPlan& plan) {
    for (std::size_t i = 0; i < old.image.modules.size(); ++i) {
        const Module& was = old.image.modules[i];
        const Module& is = now.image.modules[i];
        if (!SameModule(was, is)) {
            return Reason::of<"the module at {} is not the one that was there",
                              "das Modul bei {} ist nicht das, das dort war">(Hex(is.offset));
        }
        const ModuleReplacement* replacement = ReplacementOf(i, replacements);
        const std::span<const std::uint8_t> expected =
            replacement != nullptr ? replacement->data
                                   : std::span<const std::uint8_t>(old.contents[i].data);
        if (!std::equal(expected.begin(), expected.end(), now.contents[i].data.begin(),
                        now.contents[i].data.end())) {
            return Reason::of<"the module at {} unpacks to other data",
                              "das Modul bei {} entpackt sich zu anderen Daten">(Hex(is.offset));
        }
        if (replacement == nullptr && Moved(was, plan) &&
            !std::equal(before.begin() + static_cast<long>(was.offset),
                        before.begin() + static_cast<long>(was.next()),
                        after.begin() + static_cast<long>(is.offset),
                        after.begin() + static_cast<long>(is.next()))) {
            return Reason::of<"the moved module at {} changed its bytes",
                              "das verschobene Modul bei {} hat seine Bytes geändert">(
                Hex(is.offset));
        }
    }
    return std::nullopt;
}

std::optional<Reason> AreaDifference(std::span<const std::uint8_t> before, const AwardImage& old,
                                     const ChangedArea& area) {
    const Chain& chain = old.chains[area.chain];
    if (area.end >= chain.roomEnd || (old.layout == ImageLayout::Split &&
                                      chain.start < SplitOffset && area.end >= SplitOffset)) {
        return Reason::of<"its chain runs past its free room",
                          "seine Kette reicht über ihren freien Platz hinaus">();
    }
    const auto end = before.begin() + static_cast<long>(area.end);
    const auto foreign = std::find_if(before.begin() + static_cast<long>(chain.end), end,
                                      [](std::uint8_t byte) { return byte != Fill; });
    if (foreign != end) {
        return Reason::of<"its chain was written over the byte at {}, which was not 0xFF",
                          "seine Kette wurde über das Byte bei {} geschrieben, das nicht 0xFF "
                          "war">(Hex(static_cast<std::size_t>(foreign - before.begin())));
    }
    return std::nullopt;
}

std::optional<Reason> Difference(std::span<const std::uint8_t> before, const ImageInspection& old,
                                 std::span<const std::uint8_t> after,
                                 const std::vector<ModuleReplacement>& replacements,
                                 const ReplacementPlan& plan) {
    if (after.size() != before.size()) {
        return Reason::of<"its size changed", "seine Größe hat sich geändert">();
    }
    const FileResult<ImageInspection> inspected = InspectAwardImage(after);
    if (!inspected) {
        return inspected.error().reason;
    }
    const ImageInspection& now = inspected.value();
    for (const CheckResult& check : VerifyImage(now)) {
        if (check.verdict == Verdict::Fails) {
            return FailedCheck(check);
        }
    }
    const AwardImage& a = old.image;
    const AwardImage& b = now.image;
    if (a.layout != b.layout || a.chains.size() != b.chains.size() ||
        a.modules.size() != b.modules.size()) {
        return Reason::of<"its layout or its chains changed",
                          "seine Anordnung oder seine Ketten haben sich geändert">();
    }
    for (std::size_t i = 0; i < a.chains.size(); ++i) {
        if (a.chains[i].start != b.chains[i].start) {
            return Reason::of<"a chain moved", "eine Kette hat sich verschoben">();
        }
    }
    if (auto moduleDifference = ModuleDifference(before, old, after, now, replacements, plan)) {
        return moduleDifference;
    }
    if (!ChecksStillHold(a.checks, b.checks)) {
        return Reason::of<"a check that held before no longer holds",
                          "eine Prüfung, die vorher stimmte, stimmt nicht mehr">();
    }
    for (const ChangedArea& area : plan.areas) {
        if (auto areaDifference = AreaDifference(before, a, area)) {
            return areaDifference;
        }
    }
    for (std::size_t i = 0; i < before.size(); ++i) {
        if (before[i] != after[i] && !MayChange(i, plan)) {
            return Reason::of<"the byte at {} changed", "das Byte bei {} hat sich geändert">(
                Hex(i));
        }
    }
    return std::nullopt;
}

} // namespace

FileStatus ProveReplacement(std::span<const std::uint8_t> before, const ImageInspection& old,
                            std::span<const std::uint8_t> after,
                            const std::vector<ModuleReplacement>& replacements,
                            const ReplacementPlan& plan) {
    if (const std::optional<Reason> difference =
            Difference(before, old, after, replacements, plan)) {
        return OwnFault(
            Reason::of<"the new image failed the final check ({})",
                       "das neue Abbild hat die letzte Prüfung nicht bestanden ({})">(*difference));
    }
    return Succeeded;
}

} // namespace kalvero::bios
