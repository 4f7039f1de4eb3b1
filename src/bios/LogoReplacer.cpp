#include "bios/LogoReplacer.h"

#include "bios/ImageBytes.h"
#include "bios/ImageVerification.h"
#include "bios/LogoKinds.h"

namespace kalvero::bios {
namespace {

// Steps 1 and 2 of docs/bios-images.md, "What replace changes": the image
// verifies, its logo is one Kalvero knows, and the new logo is of its kind
// and size.
FileResult<ImageLogo> CheckReplaceable(const ImageInspection& inspection,
                                       std::span<const std::uint8_t> logo, LogoPlace place) {
    for (const CheckResult& check : VerifyImage(inspection)) {
        if (check.verdict == Verdict::Fails) {
            return Refusal(RefusalFor(check));
        }
    }
    const AwardImage& image = inspection.image;
    if (image.checks.wordSumHolds() && !image.checks.balanceWord) {
        return Refusal("the image's 16-bit word sum is 0, but Kalvero found no word in the boot "
                       "block that keeps it so (the one after \"*BBSS*\"); it cannot keep the "
                       "sum and changes nothing. Use the board maker's tool for this image.");
    }
    FileResult<ImageLogo> found = FindLogo(inspection, place);
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
        return Refusal("the new logo is " + DescribeLogo(b) + ", but the image's " +
                       (place == LogoPlace::Boot ? "logo" : "full-screen logo") + " is " +
                       DescribeLogo(a) +
                       ": a BIOS shows only the kind and size it was built for. Make the new "
                       "logo of that kind and size (kalvero-cli info tells a file's kind).");
    }
    return found;
}

} // namespace

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
