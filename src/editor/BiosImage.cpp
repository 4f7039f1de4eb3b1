#include "editor/BiosImage.h"

#include "bios/FixedBlocks.h"
#include "bios/ImageBytes.h"
#include "bios/ImageInspection.h"
#include "bios/ImageVerification.h"
#include "bios/LogoKinds.h"
#include "bios/LogoModule.h"
#include "bios/LogoReplacer.h"
#include "document/LogoGeometry.h"

#include <algorithm>

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

// The boot logo where the editor shows it.
FileResult<ImageLogo> BootLogo(const bios::ImageInspection& inspection) {
    const FileResult<bios::ImageLogo> found = bios::FindLogo(inspection, bios::LogoPlace::Boot);
    if (!found) {
        return found.error();
    }
    const FileKind& kind = found.value().kind;
    const bool epa2 = kind.type == FileType::Epa2Image;
    if (!epa2 && kind.length != ShortEpaLength && kind.length != TallEpaLength) {
        return bios::Refusal(
            Reason::of<"the image's logo is {}; the editor shows logos of 17 x 6 and 17 x 9 "
                       "cells. kalvero-cli bios extract and replace take this one.",
                       "das Logo des Abbilds ist {}; der Editor zeigt Logos von 17 x 6 und 17 x 9 "
                       "Zellen. kalvero-cli bios extract und replace nehmen dieses.">(
                bios::DescribeLogo(kind)));
    }
    return ImageLogo{inspection.contents[found.value().modules.back()].data, epa2,
                     kind.height >= TallLogoHeight};
}

} // namespace

bool MayBeBiosImage(std::uint64_t length) {
    return bios::KnownImageSize(length);
}

std::size_t ImageHeadLength() {
    return bios::ImageHeadLength;
}

std::optional<Reason> ImageCutShort(std::uint64_t length, std::span<const std::uint8_t> head) {
    return bios::CutShortImage(length, head);
}

FileResult<ImageLogos> LogosOfImage(std::span<const std::uint8_t> image) {
    const FileResult<bios::ImageInspection> inspection = bios::InspectAwardImage(image);
    if (!inspection) {
        return inspection.error();
    }
    for (const bios::CheckResult& check : bios::VerifyImage(inspection.value())) {
        if (check.verdict == bios::Verdict::Fails) {
            return bios::Refusal(bios::RefusalFor(check));
        }
    }
    ImageLogos logos;
    FileResult<ImageLogo> boot = BootLogo(inspection.value());
    if (boot) {
        logos.boot = std::move(boot).value();
    }
    const FileResult<bios::ImageLogo> fullScreen =
        bios::FindLogo(inspection.value(), bios::LogoPlace::FullScreen);
    if (!boot && !fullScreen) {
        return boot.error();
    }
    if (fullScreen) {
        logos.fullScreen = inspection.value().contents[fullScreen.value().modules.back()].data;
        logos.bootProblem = boot ? Reason() : boot.error().reason;
    }
    return logos;
}

FileResult<NewImage> ImageWithLogo(std::span<const std::uint8_t> image,
                                   std::span<const std::uint8_t> logo, bool fullScreen,
                                   std::span<const std::uint8_t> other) {
    const bios::LogoPlace place = fullScreen ? bios::LogoPlace::FullScreen : bios::LogoPlace::Boot;
    const bios::LogoPlace otherPlace =
        fullScreen ? bios::LogoPlace::Boot : bios::LogoPlace::FullScreen;
    FileResult<bios::Replacement> replaced = bios::ReplaceLogo(image, logo, place);
    if (!replaced) {
        return replaced.error();
    }
    NewImage result{std::move(replaced.value().image), {}, replaced.value().plan.note};
    const FileResult<std::vector<std::uint8_t>> own =
        other.empty() ? FileResult<std::vector<std::uint8_t>>(std::vector<std::uint8_t>())
                      : bios::ExtractLogo(image, otherPlace);
    if (own && !std::equal(own.value().begin(), own.value().end(), other.begin(), other.end())) {
        FileResult<bios::Replacement> both = bios::ReplaceLogo(result.bytes, other, otherPlace);
        if (!both) {
            return both.error();
        }
        result.bytes = std::move(both.value().image);
        result.note += both.value().plan.note; // only a full-screen logo has one
    }
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
