#include "bios/LogoModule.h"

#include "bios/ImageBytes.h"
#include "conversion/Epa2Image.h"

namespace kalvero::bios {

FileResult<std::size_t> FindLogoModule(const AwardImage& image) {
    std::vector<std::size_t> logos;
    std::string places;
    for (std::size_t i = 0; i < image.modules.size(); ++i) {
        if (image.modules[i].header.type == LogoModuleType) {
            logos.push_back(i);
            places += (places.empty() ? "" : ", ") + Hex(image.modules[i].offset);
        }
    }
    if (logos.empty()) {
        return Refusal("the image has no logo module (type 0x4002): this BIOS shows no EPA logo "
                       "that Kalvero could take out or replace.");
    }
    if (logos.size() > 1) {
        return Refusal("the image has " + std::to_string(logos.size()) +
                       " logo modules (type 0x4002), at " + places +
                       ": Kalvero cannot tell which one the BIOS shows, so it touches none.");
    }
    return logos.front();
}

FileResult<std::vector<std::uint8_t>> LogoContent(const ImageInspection& inspection) {
    const FileResult<std::size_t> index = FindLogoModule(inspection.image);
    if (!index) {
        return index.error();
    }
    const Module& logo = inspection.image.modules[index.value()];
    const ModuleContent& content = inspection.contents[index.value()];
    if (!logo.header.sumHolds()) {
        return Refusal("the logo module's header sum is " + Hex(logo.header.storedSum, 2) +
                       ", its bytes sum to " + Hex(logo.header.computedSum, 2) +
                       ": the image is damaged. Use an unchanged copy of it.");
    }
    if (!content.good()) {
        return Refusal("the logo module " + content.problem +
                       ": the image is damaged. Use an unchanged copy of it.");
    }
    return content.data;
}

FileResult<FileKind> LogoKind(std::span<const std::uint8_t> logo) {
    FileKind kind = ClassifyFile(logo.size(), logo.first(std::min(logo.size(), FileHeadLength)));
    if (kind.type == FileType::Epa2Image) {
        const FileResult<Epa2Picture> picture = ParseEpa2(logo);
        if (!picture) {
            return Refusal(picture.error().reason);
        }
    } else if (kind.type != FileType::EpaLogo) {
        return Refusal(kind.type == FileType::Bitmap ? "it is a bitmap" : kind.reason);
    }
    return kind;
}

FileResult<FileKind> NewLogoKind(std::span<const std::uint8_t> logo) {
    FileResult<FileKind> kind = LogoKind(logo);
    if (!kind) {
        return Refusal("the new logo is not an EPA logo: " + kind.error().reason +
                       ". Make one with kalvero-cli import or bmp2epa.");
    }
    return kind;
}

FileResult<std::vector<std::uint8_t>> ExtractLogo(std::span<const std::uint8_t> image) {
    const FileResult<ImageInspection> inspection = InspectAwardImage(image);
    if (!inspection) {
        return inspection.error();
    }
    return LogoContent(inspection.value());
}

} // namespace kalvero::bios
