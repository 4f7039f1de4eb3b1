#include "bios/LogoModule.h"

#include "bios/ImageBytes.h"
#include "bios/LogoKinds.h"

#include <algorithm>

namespace kalvero::bios {
namespace {

std::string ModuleName(LogoPlace place) {
    return place == LogoPlace::Boot ? "logo module" : "full-screen logo module";
}

std::vector<std::size_t> ModulesOfType(const AwardImage& image, std::uint16_t type) {
    std::vector<std::size_t> found;
    for (std::size_t i = 0; i < image.modules.size(); ++i) {
        if (image.modules[i].header.type == type) {
            found.push_back(i);
        }
    }
    return found;
}

std::string Places(const AwardImage& image, const std::vector<std::size_t>& modules) {
    std::string places;
    for (const std::size_t i : modules) {
        places += (places.empty() ? "" : ", ") + Hex(image.modules[i].offset);
    }
    return places;
}

FileResult<std::vector<std::size_t>> FindModules(const AwardImage& image, LogoPlace place) {
    const bool boot = place == LogoPlace::Boot;
    const std::vector<std::size_t> found =
        ModulesOfType(image, boot ? LogoModuleType : FullScreenModuleType);
    if (found.empty()) {
        return Refusal(boot ? "this image has no logo module; its BIOS may show a built-in logo "
                              "that cannot be changed."
                            : "this image has no full-screen logo module (type 0x4000); its BIOS "
                              "shows none, and Kalvero does not add one.");
    }
    if (boot && found.size() > 1) {
        return Refusal("the image has " + std::to_string(found.size()) +
                       " logo modules (type 0x4002), at " + Places(image, found) +
                       ": Kalvero cannot tell which one the BIOS shows, so it touches none.");
    }
    return found;
}

// The module's data when its header sum and CRC hold.
FileResult<const std::vector<std::uint8_t>*> GoodContent(const ImageInspection& inspection,
                                                         std::size_t index, LogoPlace place) {
    const Module& module = inspection.image.modules[index];
    const ModuleContent& content = inspection.contents[index];
    const std::string name = "the " + ModuleName(place) + " at " + Hex(module.offset);
    if (!module.header.sumHolds()) {
        return Refusal(name + " has the header sum " + Hex(module.header.storedSum, 2) +
                       ", where its bytes sum to " + Hex(module.header.computedSum, 2) +
                       ": the image is damaged. Use an unchanged copy of it.");
    }
    if (!content.good()) {
        return Refusal(name + " " + content.problem +
                       ": the image is damaged. Use an unchanged copy of it.");
    }
    return &content.data;
}

} // namespace

FileResult<ImageLogo> FindLogo(const ImageInspection& inspection, LogoPlace place) {
    const AwardImage& image = inspection.image;
    const FileResult<std::vector<std::size_t>> found = FindModules(image, place);
    if (!found) {
        return found.error();
    }
    const std::size_t shown = found.value().back();
    const FileResult<const std::vector<std::uint8_t>*> data = GoodContent(inspection, shown, place);
    if (!data) {
        return data.error();
    }
    const bool boot = place == LogoPlace::Boot;
    const FileResult<FileKind> kind =
        boot ? LogoKind(*data.value()) : FullScreenKind(*data.value());
    if (!kind) {
        return Refusal("the " + ModuleName(place) + " at " + Hex(image.modules[shown].offset) +
                       " holds no " + (boot ? "EPA logo" : "EPA 2.0 image of 16 colours") +
                       " Kalvero knows (" + kind.error().reason +
                       "), so it takes nothing out of it and leaves it as it is.");
    }
    ImageLogo logo{{}, kind.value(), {}};
    for (const std::size_t i : found.value()) {
        if (i == shown || inspection.contents[i].data == *data.value()) {
            logo.modules.push_back(i);
        }
    }
    if (logo.modules.size() < found.value().size()) {
        logo.note = "the image has " + std::to_string(found.value().size()) +
                    " full-screen logo modules, at " + Places(image, found.value()) +
                    ", that hold different logos; its BIOS shows the last one, and only that "
                    "one is used";
    }
    return logo;
}

FileResult<FileKind> NewLogoKind(std::span<const std::uint8_t> logo) {
    FileResult<FileKind> kind = LogoKind(logo);
    if (!kind) {
        return Refusal("the new logo is not an EPA logo: " + kind.error().reason +
                       ". Make one with kalvero-cli import or bmp2epa.");
    }
    return kind;
}

FileResult<std::vector<std::uint8_t>> ExtractLogo(std::span<const std::uint8_t> image,
                                                  LogoPlace place) {
    const FileResult<ImageInspection> inspection = InspectAwardImage(image);
    if (!inspection) {
        return inspection.error();
    }
    const FileResult<ImageLogo> logo = FindLogo(inspection.value(), place);
    if (!logo) {
        return logo.error();
    }
    return inspection.value().contents[logo.value().modules.back()].data;
}

} // namespace kalvero::bios
