#include "shell/BiosImage.h"

#include "bios/FixedBlocks.h"
#include "bios/ImageBytes.h"
#include "bios/ImageInspection.h"
#include "bios/ImageVerification.h"
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
    FileResult<std::vector<std::uint8_t>> logo = bios::LogoContent(inspection.value());
    if (!logo) {
        return logo.error();
    }
    const FileResult<FileKind> kind = bios::LogoKind(logo.value());
    if (!kind) {
        return bios::Refusal("the image's logo is no EPA logo Kalvero knows: " +
                             kind.error().reason);
    }
    return ImageLogo{std::move(logo).value(), kind.value().type == FileType::Epa2Image,
                     kind.value().height >= TallLogoHeight};
}

FileResult<NewImage> ImageWithLogo(std::span<const std::uint8_t> image,
                                   std::span<const std::uint8_t> logo) {
    FileResult<bios::LogoReplacement> replaced = bios::ReplaceLogo(image, logo);
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
