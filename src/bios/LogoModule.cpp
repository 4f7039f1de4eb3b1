#include "bios/LogoModule.h"

#include "bios/ImageBytes.h"
#include "bios/LogoKinds.h"

#include <algorithm>

namespace kalvero::bios {
namespace {

// "the logo module at 0x1A000".
Reason ModuleAt(LogoPlace place, std::size_t offset) {
    return place == LogoPlace::Boot
               ? Reason::of<"the logo module at {}", "das Logo-Modul bei {}">(Hex(offset))
               : Reason::of<"the full-screen logo module at {}", "das Vollbild-Logo-Modul bei {}">(
                     Hex(offset));
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
        return Refusal(boot ? Reason::of<"this image has no logo module; its BIOS may show a "
                                         "built-in logo that cannot be changed.",
                                         "dieses Abbild hat kein Logo-Modul; sein BIOS zeigt "
                                         "vielleicht ein eingebautes Logo, das sich nicht ändern "
                                         "lässt.">()
                            : Reason::of<"this image has no full-screen logo module (type "
                                         "0x4000); its BIOS shows none, and Kalvero does not add "
                                         "one.",
                                         "dieses Abbild hat kein Vollbild-Logo-Modul (Typ 0x4000); "
                                         "sein BIOS zeigt keines, und Kalvero fügt keines "
                                         "hinzu.">());
    }
    if (boot && found.size() > 1) {
        return Refusal(Reason::of<"the image has {} logo modules (type 0x4002), at {}: Kalvero "
                                  "cannot tell which one the BIOS shows, so it touches none.",
                                  "das Abbild hat {} Logo-Module (Typ 0x4002), bei {}: Kalvero "
                                  "kann nicht sagen, welches das BIOS zeigt, und rührt keines "
                                  "an.">(found.size(), Places(image, found)));
    }
    return found;
}

// The module's data when its header sum and CRC hold.
FileResult<const std::vector<std::uint8_t>*> GoodContent(const ImageInspection& inspection,
                                                         std::size_t index, LogoPlace place) {
    const Module& module = inspection.image.modules[index];
    const ModuleContent& content = inspection.contents[index];
    const Reason name = ModuleAt(place, module.offset);
    if (!module.header.sumHolds()) {
        return Refusal(Reason::of<"{} has the header sum {}, where its bytes sum to {}: the image "
                                  "is damaged. Use an unchanged copy of it.",
                                  "{} hat die Kopfsumme {}, wo seine Bytes {} ergeben: das Abbild "
                                  "ist beschädigt. Nehmen Sie eine unveränderte Kopie davon.">(
            name, Hex(module.header.storedSum, 2), Hex(module.header.computedSum, 2)));
    }
    if (!content.good()) {
        return Refusal(Reason::of<"{} {}: the image is damaged. Use an unchanged copy of it.",
                                  "{}: {}: das Abbild ist beschädigt. Nehmen Sie eine unveränderte "
                                  "Kopie davon.">(name, content.problem));
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
        const Reason what =
            boot ? Reason::of<"EPA logo", "EPA-Logo">()
                 : Reason::of<"EPA 2.0 image of 16 colours", "EPA-2.0-Bild mit 16 Farben">();
        return Refusal(Reason::of<"{} holds no {} Kalvero knows ({}), so it takes nothing out of "
                                  "it and leaves it as it is.",
                                  "{} enthält kein {}, das Kalvero kennt ({}), darum nimmt es "
                                  "nichts daraus und lässt es, wie es ist.">(
            ModuleAt(place, image.modules[shown].offset), what, kind.error().reason));
    }
    ImageLogo logo{{}, kind.value(), {}};
    for (const std::size_t i : found.value()) {
        if (i == shown || inspection.contents[i].data == *data.value()) {
            logo.modules.push_back(i);
        }
    }
    if (logo.modules.size() < found.value().size()) {
        logo.note = Reason::of<"the image has {} full-screen logo modules, at {}, that hold "
                               "different logos; its BIOS shows the last one, and only that one "
                               "is used",
                               "das Abbild hat {} Vollbild-Logo-Module, bei {}, die verschiedene "
                               "Logos enthalten; sein BIOS zeigt das letzte, und nur dieses wird "
                               "genommen">(found.value().size(), Places(image, found.value()));
    }
    return logo;
}

FileResult<FileKind> NewLogoKind(std::span<const std::uint8_t> logo) {
    FileResult<FileKind> kind = LogoKind(logo);
    if (!kind) {
        return Refusal(Reason::of<"the new logo is not an EPA logo: {}. Make one with kalvero-cli "
                                  "import or bmp2epa.",
                                  "das neue Logo ist kein EPA-Logo: {}. Machen Sie eines mit "
                                  "kalvero-cli import oder bmp2epa.">(kind.error().reason));
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
