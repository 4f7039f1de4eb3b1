// The Award image parser and everything built on it: the walk, the checks,
// the reports, the logo extraction and, where the image verifies, the
// replacement of the boot logo and of the full-screen logo with their proof.

#include "FuzzCheck.h"
#include "bios/ImageInspection.h"
#include "bios/ImageReport.h"
#include "bios/ImageVerification.h"
#include "bios/LogoModule.h"
#include "bios/LogoReplacer.h"

#include <algorithm>
#include <cstdint>
#include <span>
#include <vector>

namespace kalvero::fuzz {
namespace {

using namespace kalvero::bios;

void CheckWalk(const AwardImage& image) {
    std::size_t next = 0;
    std::size_t systems = 0;
    for (const Chain& chain : image.chains) {
        Require(chain.start >= next && chain.start < chain.end && chain.end < chain.roomEnd &&
                    chain.roomEnd <= image.blocks.chainLimit(),
                "chains follow each other below the decompression block");
        next = chain.roomEnd;
        for (std::size_t m = chain.firstModule; m < chain.firstModule + chain.moduleCount; ++m) {
            const Module& module = image.modules[m];
            Require(module.offset >= chain.start && module.next() <= chain.end,
                    "modules lie in their chain");
            systems += module.system ? 1 : 0;
        }
    }
    Require(systems == 1 && image.modules[image.systemModule].system, "one system module");
}

// On an image that verifies, the logo put back in gives an image that holds
// it, or a refusal for a reason of the image, never a fault of our own.
void CheckReplacement(std::span<const std::uint8_t> bytes, const ImageInspection& inspection,
                      LogoPlace place) {
    const FileResult<ImageLogo> logo = FindLogo(inspection, place);
    if (!logo) {
        return;
    }
    const std::vector<std::uint8_t>& old = inspection.contents[logo.value().modules.back()].data;
    const FileResult<Replacement> replaced = ReplaceLogo(bytes, old, place);
    if (!replaced) {
        Require(replaced.error().problem != FileProblem::Other,
                "a replacement on an image that verifies is no fault of Kalvero");
        return;
    }
    const std::vector<std::uint8_t>& image = replaced.value().image;
    Require(image.size() == bytes.size(), "the image keeps its size");
    const FileResult<ImageInspection> reread = InspectAwardImage(image);
    Require(reread.ok() && AllHold(VerifyImage(reread.value())),
            "the new image verifies, read one way only");
    const FileResult<std::vector<std::uint8_t>> again = ExtractLogo(image, place);
    Require(again.ok() && again.value() == old, "the new image holds the logo");
}

void CheckImage(std::span<const std::uint8_t> bytes) {
    const FileResult<ImageInspection> inspected = InspectAwardImage(bytes);
    if (!inspected) {
        return;
    }
    const ImageInspection& inspection = inspected.value();
    CheckWalk(inspection.image);
    for (std::size_t i = 0; i < inspection.contents.size(); ++i) {
        Require(!inspection.contents[i].good() ||
                    inspection.contents[i].data.size() ==
                        inspection.image.modules[i].header.originalSize,
                "a good module has its original size");
    }
    Require(!ListImage(inspection).empty(), "list says something");
    DescribeAreas(inspection.image);
    if (!AllHold(VerifyImage(inspection))) {
        return;
    }
    CheckReplacement(bytes, inspection, LogoPlace::Boot);
    CheckReplacement(bytes, inspection, LogoPlace::FullScreen);
}

} // namespace
} // namespace kalvero::fuzz

extern "C" int LLVMFuzzerTestOneInput(const std::uint8_t* data, std::size_t size) {
    const std::span<const std::uint8_t> input(data, size);
    kalvero::fuzz::CheckImage(input);
    // Inputs of other lengths are cut or filled with 0xFF to the nearer image
    // size, so that bytes put in or taken out still reach the parser.
    using kalvero::bios::LargeImageSize;
    using kalvero::bios::SmallImageSize;
    const std::size_t fitted =
        size >= (SmallImageSize + LargeImageSize) / 2 ? LargeImageSize : SmallImageSize;
    if (size != fitted) {
        std::vector<std::uint8_t> image(input.begin(),
                                        input.begin() + static_cast<long>(std::min(size, fitted)));
        image.resize(fitted, 0xFF);
        kalvero::fuzz::CheckImage(image);
    }
    return 0;
}
