#include "bios/ImageVerification.h"

#include "bios/ImageBytes.h"

#include <algorithm>
#include <string_view>

namespace kalvero::bios {
namespace {

// The two images measured without C1 were of this version; the system module
// names its version.
constexpr std::string_view VersionWithoutC1 = "v6.00PG";

// The check of places where the chains could be read otherwise.
const std::string SeparatorsCheck = "separators";

bool Contains(const std::vector<std::uint8_t>& data, std::string_view text) {
    return std::search(data.begin(), data.end(), text.begin(), text.end()) != data.end();
}

std::string ModuleName(const Module& module) {
    return "module \"" + module.header.printableName() + "\" at " + Hex(module.offset);
}

std::string Range(std::size_t from, std::size_t to) {
    return Hex(from) + " .. " + Hex(to);
}

CheckResult HeaderSums(const AwardImage& image) {
    for (const Module& module : image.modules) {
        if (!module.header.sumHolds()) {
            return {"header sums", Verdict::Fails,
                    ModuleName(module) + ": its header sum is " + Hex(module.header.storedSum, 2) +
                        ", its bytes sum to " + Hex(module.header.computedSum, 2)};
        }
    }
    return {"header sums", Verdict::Holds,
            "all " + std::to_string(image.modules.size()) + " modules"};
}

CheckResult Crcs(const ImageInspection& inspection) {
    const std::vector<Module>& modules = inspection.image.modules;
    for (std::size_t i = 0; i < modules.size(); ++i) {
        if (!inspection.contents[i].good()) {
            return {"CRCs", Verdict::Fails,
                    ModuleName(modules[i]) + " " + inspection.contents[i].problem};
        }
    }
    return {"CRCs", Verdict::Holds,
            "all " + std::to_string(modules.size()) + " modules unpack and match their CRC"};
}

CheckResult C1(const ImageInspection& inspection) {
    const AwardImage& image = inspection.image;
    const CheckByte& c1 = image.checks.c1;
    if (image.checks.c1Present && c1.holds()) {
        return {"C1", Verdict::Holds,
                Hex(c1.stored, 2) + " at " + Hex(c1.offset) + ", the sum of the system module"};
    }
    const std::string found = image.checks.c1Present ? Hex(c1.stored, 2) + " at " + Hex(c1.offset)
                                                     : "no check byte after the system module's 00";
    const std::string detail = found + ", where the system module sums to " + Hex(c1.computed, 2);
    if (Contains(inspection.contents[image.systemModule].data, VersionWithoutC1)) {
        return {"C1", Verdict::NotUsed, detail + " (6.00PG images do without C1)"};
    }
    return {"C1", Verdict::Fails, detail};
}

CheckResult C2(const AwardImage& image) {
    const CheckByte& c2 = image.checks.c2;
    const std::string detail = Hex(c2.stored, 2) + " at " + Hex(c2.offset) + ", the sum of " +
                               Range(image.blocks.decompression, c2.offset - 1) + " is " +
                               Hex(c2.computed, 2);
    return {"C2", c2.holds() ? Verdict::Holds : Verdict::Fails, detail};
}

CheckResult C3(const AwardImage& image) {
    const CheckByte& c3 = image.checks.c3;
    const std::string detail = Hex(c3.stored, 2) + " at " + Hex(c3.offset) + ", the sum of " +
                               Range(0, c3.offset - 1) + " is " + Hex(c3.computed, 2);
    return c3.holds() ? CheckResult{"C3", Verdict::Holds, detail}
                      : CheckResult{"C3", Verdict::NotUsed, detail + "; nothing checks it here"};
}

CheckResult W(const AwardImage& image) {
    const ImageChecks& checks = image.checks;
    if (!checks.wordSumHolds()) {
        return {"W", Verdict::NotUsed,
                "the word sum is " + Hex(checks.wordSum, 4) + "; nothing checks it here"};
    }
    return {"W", Verdict::Holds,
            checks.balanceWord ? "the word sum is 0, balanced at " + Hex(*checks.balanceWord)
                               : "the word sum is 0; no balance word found in the boot block"};
}

} // namespace

std::vector<CheckResult> VerifyImage(const ImageInspection& inspection) {
    const AwardImage& image = inspection.image;
    std::vector<CheckResult> checks{HeaderSums(image), Crcs(inspection), C1(inspection),
                                    C2(image),         C3(image),        W(image)};
    // Told only where it fails (every image Kalvero has met is read one way),
    // and first: the other checks were made on one reading.
    if (!image.otherReadings.empty()) {
        checks.insert(checks.begin(),
                      {SeparatorsCheck, Verdict::Fails, image.otherReadings.front()});
    }
    return checks;
}

AreaNotes DescribeAreas(const AwardImage& image) {
    AreaNotes notes;
    const FixedBlocks& blocks = image.blocks;
    if (!image.checks.wordSumHolds()) {
        const std::string behindC2 = Range(blocks.c2Offset() + 1, image.size - 1) +
                                     " (behind C2: the rest of the decompression block and the "
                                     "boot block)";
        notes.details.push_back(
            "no check covers " +
            (image.checks.c3.holds()
                 ? behindC2
                 : "the free room of the chains, the bytes between them up to the "
                   "decompression block at " +
                       Hex(blocks.decompression) + ", and " + behindC2));
    }
    for (const ForeignBytes& area : image.foreign) {
        const std::string where =
            area.end - area.start == 1 ? Hex(area.start) : Range(area.start, area.end - 1);
        if (area.ownBlock) {
            notes.details.push_back("a block of the BIOS's own at " + where +
                                    " (uncompressed code or tables; Kalvero leaves it alone)");
        } else {
            notes.warnings.push_back(
                "warning: bytes other than 0xFF behind the chains at " + where +
                " are no 4 KiB block of the BIOS's own: a damaged module header may hide "
                "modules there (kalvero-cli bios list shows the chains)");
        }
    }
    return notes;
}

bool AllHold(const std::vector<CheckResult>& checks) {
    return std::none_of(checks.begin(), checks.end(),
                        [](const CheckResult& check) { return check.verdict == Verdict::Fails; });
}

std::string RefusalFor(const CheckResult& failed) {
    const std::string what = "the check \"" + failed.name + "\" fails: " + failed.detail + ". ";
    if (failed.name == "C2") {
        return "not an Award BIOS image Kalvero understands: " + what +
               "Use an unchanged image from the board's maker.";
    }
    if (failed.name == SeparatorsCheck) {
        return "the image can be read two ways: " + failed.detail +
               ". Kalvero changes only images that every reader reads alike, since the BIOS "
               "might not find the modules where Kalvero does; use an unchanged image from the "
               "board's maker.";
    }
    return "the image is damaged: " + what +
           "Kalvero changes only images whose every check holds; use an unchanged copy of the "
           "image, for example the one read from the chip or published by the board's maker.";
}

} // namespace kalvero::bios
