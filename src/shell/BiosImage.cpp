#include "shell/BiosImage.h"

#include "bios/FixedBlocks.h"
#include "bios/ImageBytes.h"
#include "bios/ImageInspection.h"
#include "bios/ImageVerification.h"
#include "bios/LogoKinds.h"
#include "bios/LogoModule.h"
#include "bios/LogoReplacer.h"
#include "document/LogoGeometry.h"

namespace kalvero {
namespace {

CheckState StateOf(bios::Verdict verdict) {
    switch (verdict) {
    case bios::Verdict::Holds:
        return CheckState::Holds;
    case bios::Verdict::Fails:
        return CheckState::Fails;
    default:
        return CheckState::NotUsed;
    }
}

} // namespace

bool MayBeBiosImage(std::uint64_t length) {
    return bios::KnownImageSize(length);
}

FileResult<ImageLogo> LogoOfImage(std::span<const std::uint8_t> image) {
    const FileResult<bios::ImageInspection> inspection = bios::InspectAwardImage(image);
    if (!inspection) {
        return inspection.error();
    }
    for (const bios::CheckResult& check : bios::VerifyImage(inspection.value())) {
        if (check.verdict == bios::Verdict::Fails) {
            return bios::Refusal(bios::RefusalFor(check));
        }
    }
    const FileResult<bios::ImageLogo> found =
        bios::FindLogo(inspection.value(), bios::LogoPlace::Boot);
    if (!found) {
        return found.error();
    }
    const FileKind& kind = found.value().kind;
    const bool epa2 = kind.type == FileType::Epa2Image;
    if (!epa2 && kind.length != ShortEpaLength && kind.length != TallEpaLength) {
        return bios::Refusal("the image's logo is " + bios::DescribeLogo(kind) +
                             "; the editor shows logos of 17 x 6 and 17 x 9 cells. "
                             "kalvero-cli bios extract and replace take this one.");
    }
    return ImageLogo{inspection.value().contents[found.value().modules.back()].data, epa2,
                     kind.height >= TallLogoHeight};
}

FileResult<NewImage> ImageWithLogo(std::span<const std::uint8_t> image,
                                   std::span<const std::uint8_t> logo) {
    FileResult<bios::Replacement> replaced = bios::ReplaceLogo(image, logo, bios::LogoPlace::Boot);
    if (!replaced) {
        return replaced.error();
    }
    NewImage result{std::move(replaced).value().image, {}};
    const FileResult<bios::ImageInspection> inspection = bios::InspectAwardImage(result.bytes);
    if (!inspection) {
        return inspection.error();
    }
    for (const bios::CheckResult& check : bios::VerifyImage(inspection.value())) {
        result.checks.push_back({check.name, StateOf(check.verdict)});
    }
    return result;
}

} // namespace kalvero
