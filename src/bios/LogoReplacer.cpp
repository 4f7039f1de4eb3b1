#include "bios/LogoReplacer.h"

#include "bios/ImageBytes.h"
#include "bios/ImageVerification.h"
#include "bios/LogoKinds.h"

#include <algorithm>
#include <cstdint>

namespace kalvero::bios {
namespace {

// Steps 1 and 2 of docs/bios-images.md, "What replace changes", for the
// image: it verifies, and its logo is one Kalvero knows.
FileResult<ImageLogo> CheckImage(const ImageInspection& inspection, LogoPlace place) {
    for (const CheckResult& check : VerifyImage(inspection)) {
        if (check.verdict == Verdict::Fails) {
            return Refusal(RefusalFor(check));
        }
    }
    const AwardImage& image = inspection.image;
    if (image.checks.wordSumHolds() && !image.checks.balanceWord) {
        return Refusal(Reason::of<"the image's 16-bit word sum is 0, but Kalvero found no word in "
                                  "the boot block that keeps it so (the one after \"*BBSS*\"); it "
                                  "cannot keep the sum and changes nothing. Use the board maker's "
                                  "tool for this image.",
                                  "die 16-Bit-Wortsumme des Abbilds ist 0, aber Kalvero fand im "
                                  "Bootblock kein Wort, das sie so hält (das nach \"*BBSS*\"); es "
                                  "kann die Summe nicht halten und ändert nichts. Nehmen Sie für "
                                  "dieses Abbild das Werkzeug des Board-Herstellers.">());
    }
    return FindLogo(inspection, place);
}

// CheckImage, and the new logo is of the old one's kind and size.
FileResult<ImageLogo> CheckReplaceable(const ImageInspection& inspection,
                                       std::span<const std::uint8_t> logo, LogoPlace place) {
    FileResult<ImageLogo> found = CheckImage(inspection, place);
    if (!found) {
        return found.error();
    }
    const FileResult<FileKind> kind = NewLogoKind(logo);
    if (!kind) {
        return kind.error();
    }
    const FileKind& a = found.value().kind;
    const FileKind& b = kind.value();
    if (a.type != b.type || a.width != b.width || a.height != b.height || a.colours != b.colours ||
        a.ownPalette != b.ownPalette) {
        const Reason which = place == LogoPlace::Boot
                                 ? Reason::of<"logo", "Logo">()
                                 : Reason::of<"full-screen logo", "Vollbild-Logo">();
        return Refusal(
            Reason::of<"the new logo is {}, but the image's {} is {}: a BIOS shows "
                       "only the kind and size it was built for. Make the new logo of "
                       "that kind and size (kalvero-cli info tells a file's kind).",
                       "das neue Logo ist {}, aber das {} des Abbilds ist {}: ein BIOS "
                       "zeigt nur die Art und Größe, für die es gebaut ist. Machen Sie "
                       "das neue Logo in dieser Art und Größe (kalvero-cli info nennt "
                       "die Art einer Datei).">(DescribeLogo(b), which, DescribeLogo(a)));
    }
    return found;
}

} // namespace

FileResult<LogoSlot> FindLogoSlot(std::span<const std::uint8_t> image, LogoPlace place) {
    const FileResult<ImageInspection> inspected = InspectAwardImage(image);
    if (!inspected) {
        return inspected.error();
    }
    const FileResult<ImageLogo> found = CheckImage(inspected.value(), place);
    if (!found) {
        return found.error();
    }
    const AwardImage& parsed = inspected.value().image;
    LogoSlot slot{found.value().kind, SIZE_MAX};
    for (std::size_t c = 0; c < parsed.chains.size(); ++c) {
        std::size_t modules = 0;
        std::size_t packed = 0;
        for (const std::size_t index : found.value().modules) {
            if (parsed.modules[index].chain == c) {
                ++modules;
                packed += parsed.modules[index].header.packedSize;
            }
        }
        if (modules > 0) {
            slot.packedRoom =
                std::min(slot.packedRoom, (packed + parsed.chains[c].room()) / modules);
        }
    }
    return slot;
}

FileResult<Replacement> ReplaceLogo(std::span<const std::uint8_t> image,
                                    std::span<const std::uint8_t> logo, LogoPlace place) {
    const FileResult<ImageInspection> inspected = InspectAwardImage(image);
    if (!inspected) {
        return inspected.error();
    }
    const FileResult<ImageLogo> found = CheckReplaceable(inspected.value(), logo, place);
    if (!found) {
        return found.error();
    }
    std::vector<ModuleReplacement> replacements;
    for (const std::size_t index : found.value().modules) {
        replacements.push_back({index, logo});
    }
    FileResult<Replacement> replaced = ReplaceModules(image, inspected.value(), replacements);
    if (!replaced) {
        return replaced;
    }
    Replacement result = std::move(replaced).value();
    result.plan.note = found.value().note;
    return result;
}

} // namespace kalvero::bios
