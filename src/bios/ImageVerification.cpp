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

Reason ModuleName(const Module& module) {
    return Reason::of<"module \"{}\" at {}", "Modul \"{}\" bei {}">(module.header.printableName(),
                                                                    Hex(module.offset));
}

std::string Range(std::size_t from, std::size_t to) {
    return Hex(from) + " .. " + Hex(to);
}

// A check byte's detail: where it stands, and what the bytes from `from` up to it sum to.
Reason CheckByteDetail(const CheckByte& check, std::size_t from) {
    return Reason::of<"{} at {}, the sum of {} is {}", "{} bei {}, die Summe von {} ist {}">(
        Hex(check.stored, 2), Hex(check.offset), Range(from, check.offset - 1),
        Hex(check.computed, 2));
}

Reason NothingChecksIt() {
    return Reason::of<"; nothing checks it here", "; hier prüft sie nichts">();
}

CheckResult HeaderSums(const AwardImage& image) {
    for (const Module& module : image.modules) {
        if (!module.header.sumHolds()) {
            return {"header sums", Verdict::Fails,
                    Reason::of<"{}: its header sum is {}, its bytes sum to {}",
                               "{}: seine Kopfsumme ist {}, seine Bytes ergeben {}">(
                        ModuleName(module), Hex(module.header.storedSum, 2),
                        Hex(module.header.computedSum, 2))};
        }
    }
    return {"header sums", Verdict::Holds,
            Reason::of<"all {} modules", "alle {} Module">(image.modules.size())};
}

CheckResult Crcs(const ImageInspection& inspection) {
    const std::vector<Module>& modules = inspection.image.modules;
    for (std::size_t i = 0; i < modules.size(); ++i) {
        if (!inspection.contents[i].good()) {
            return {"CRCs", Verdict::Fails,
                    Reason::of<"{} {}", "{}: {}">(ModuleName(modules[i]),
                                                  inspection.contents[i].problem)};
        }
    }
    return {"CRCs", Verdict::Holds,
            Reason::of<"all {} modules unpack and match their CRC",
                       "alle {} Module entpacken sich und passen zu ihrer CRC">(modules.size())};
}

CheckResult C1(const ImageInspection& inspection) {
    const AwardImage& image = inspection.image;
    const CheckByte& c1 = image.checks.c1;
    if (image.checks.c1Present && c1.holds()) {
        return {
            "C1", Verdict::Holds,
            Reason::of<"{} at {}, the sum of the system module",
                       "{} bei {}, die Summe des Systemmoduls">(Hex(c1.stored, 2), Hex(c1.offset))};
    }
    const Reason found =
        image.checks.c1Present
            ? Reason::of<"{} at {}", "{} bei {}">(Hex(c1.stored, 2), Hex(c1.offset))
            : Reason::of<"no check byte after the system module's 00",
                         "kein Prüfbyte nach der 00 des Systemmoduls">();
    const Reason detail =
        Reason::of<"{}, where the system module sums to {}", "{}, wo das Systemmodul {} ergibt">(
            found, Hex(c1.computed, 2));
    if (Contains(inspection.contents[image.systemModule].data, VersionWithoutC1)) {
        return {"C1", Verdict::NotUsed,
                Reason::of<"{} (6.00PG images do without C1)",
                           "{} (6.00PG-Abbilder kommen ohne C1 aus)">(detail)};
    }
    return {"C1", Verdict::Fails, detail};
}

CheckResult C2(const AwardImage& image) {
    const CheckByte& c2 = image.checks.c2;
    const Reason detail = CheckByteDetail(c2, image.blocks.decompression);
    return {"C2", c2.holds() ? Verdict::Holds : Verdict::Fails, detail};
}

CheckResult C3(const AwardImage& image) {
    const CheckByte& c3 = image.checks.c3;
    const Reason detail = CheckByteDetail(c3, 0);
    return c3.holds() ? CheckResult{"C3", Verdict::Holds, detail}
                      : CheckResult{"C3", Verdict::NotUsed, detail + NothingChecksIt()};
}

CheckResult W(const AwardImage& image) {
    const ImageChecks& checks = image.checks;
    if (!checks.wordSumHolds()) {
        return {"W", Verdict::NotUsed,
                Reason::of<"the word sum is {}", "die Wortsumme ist {}">(Hex(checks.wordSum, 4)) +
                    NothingChecksIt()};
    }
    return {"W", Verdict::Holds,
            checks.balanceWord
                ? Reason::of<"the word sum is 0, balanced at {}",
                             "die Wortsumme ist 0, ausgeglichen bei {}">(Hex(*checks.balanceWord))
                : Reason::of<"the word sum is 0; no balance word found in the boot block",
                             "die Wortsumme ist 0; kein Ausgleichswort im Bootblock gefunden">()};
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

Reason FailedCheck(const CheckResult& failed) {
    return Reason::of<"the check \"{}\" fails: {}", "die Prüfung \"{}\" stimmt nicht: {}">(
        failed.name, failed.detail);
}

Reason RefusalFor(const CheckResult& failed) {
    if (failed.name == "C2") {
        return Reason::of<"not an Award BIOS image Kalvero understands: {}. Use an unchanged "
                          "image from the board's maker.",
                          "kein Award-BIOS-Abbild, das Kalvero versteht: {}. Nehmen Sie ein "
                          "unverändertes Abbild vom Hersteller des Boards.">(FailedCheck(failed));
    }
    if (failed.name == SeparatorsCheck) {
        return Reason::of<"the image can be read two ways: {}. Kalvero changes only images that "
                          "every reader reads alike, since the BIOS might not find the modules "
                          "where Kalvero does; use an unchanged image from the board's maker.",
                          "das Abbild lässt sich auf zwei Arten lesen: {}. Kalvero ändert nur "
                          "Abbilder, die jeder Leser gleich liest, da das BIOS die Module "
                          "vielleicht nicht dort findet, wo Kalvero sie findet; nehmen Sie ein "
                          "unverändertes Abbild vom Hersteller des Boards.">(failed.detail);
    }
    return Reason::of<"the image is damaged: {}. Kalvero changes only images whose every check "
                      "holds; use an unchanged copy of the image, for example the one read from "
                      "the chip or published by the board's maker.",
                      "das Abbild ist beschädigt: {}. Kalvero ändert nur Abbilder, deren "
                      "Prüfungen alle stimmen; nehmen Sie eine unveränderte Kopie des Abbilds, "
                      "etwa die aus dem Chip gelesene oder die vom Hersteller des Boards "
                      "veröffentlichte.">(FailedCheck(failed));
}

} // namespace kalvero::bios
