#include "bios/ImageReport.h"

#include "bios/ImageBytes.h"
#include "bios/LogoKinds.h"

#include <cstdio>

namespace kalvero::bios {
namespace {

std::string VerdictText(const CheckResult& check) {
    const bool plural = check.name.back() == 's';
    switch (check.verdict) {
    case Verdict::Holds:
        return plural ? "hold" : "holds";
    case Verdict::Fails:
        return plural ? "FAIL" : "FAILS";
    case Verdict::NotUsed:
        return "not used";
    }
    return {};
}

std::string PlaceName(LogoPlace place) {
    return place == LogoPlace::Boot ? "logo" : "full-screen logo";
}

// "EPA 2.0, 4-bit (16 colours), 640 x 480 (2071 bytes packed, 4086 bytes of
// free room)", or why there is none to use.
std::string LogoText(const ImageInspection& inspection, LogoPlace place) {
    const FileResult<ImageLogo> found = FindLogo(inspection, place);
    if (!found) {
        return found.error().reason.english();
    }
    const ImageLogo& logo = found.value();
    const AwardImage& image = inspection.image;
    const Module& shown = image.modules[logo.modules.back()];
    const std::string count =
        logo.modules.size() > 1 ? "in " + std::to_string(logo.modules.size()) + " modules, " : "";
    return DescribeLogo(logo.kind).english() + " (" + count +
           std::to_string(shown.header.packedSize) + " bytes packed, " +
           std::to_string(image.chains[shown.chain].room()) + " bytes of free room)";
}

bool HasFullScreenModule(const AwardImage& image) {
    for (const Module& module : image.modules) {
        if (module.header.type == FullScreenModuleType) {
            return true;
        }
    }
    return false;
}

std::string ModuleLine(const Module& module) {
    const ModuleHeader& header = module.header;
    char line[160];
    std::snprintf(line, sizeof line, "  %s  %s  type %s  %7u -> %7u  %s",
                  Hex(module.offset, 5).c_str(), header.packing == Packing::Lh5 ? "-lh5-" : "-lh0-",
                  Hex(header.type, 4).c_str(), header.packedSize, header.originalSize,
                  header.printableName().c_str());
    std::string text = line;
    if (module.system) {
        text += "  (system module)";
    } else if (header.type == LogoModuleType) {
        text += "  (logo)";
    } else if (header.type == FullScreenModuleType) {
        text += "  (full-screen logo)";
    }
    return text;
}

std::string SizeText(std::size_t size) {
    return std::to_string(size / 1024) + " KiB";
}

std::string MoveText(std::size_t bytes, std::ptrdiff_t shift) {
    const std::string count =
        bytes == 1 ? "1 byte behind it" : std::to_string(bytes) + " bytes behind it";
    if (shift == 0) {
        return count + (bytes == 1 ? " stays" : " stay") + " where " +
               (bytes == 1 ? "it was" : "they were");
    }
    return count + (bytes == 1 ? " moves " : " move ") +
           std::to_string(shift > 0 ? shift : -shift) +
           (shift > 0 ? " bytes later" : " bytes earlier") + " in the image";
}

} // namespace

std::vector<std::string> ListImage(const ImageInspection& inspection) {
    const AwardImage& image = inspection.image;
    std::vector<std::string> lines{
        "Award BIOS image, " + SizeText(image.size) + ", layout " + LayoutName(image.layout),
        "boot block at " + Hex(image.blocks.bootBlock) + ", decompression block at " +
            Hex(image.blocks.decompression)};
    for (const Chain& chain : image.chains) {
        lines.push_back("chain at " + Hex(chain.start, 5) + " .. " + Hex(chain.end, 5) + ", " +
                        std::to_string(chain.room()) + " bytes of free room up to " +
                        Hex(chain.roomEnd, 5));
        for (std::size_t m = chain.firstModule; m < chain.firstModule + chain.moduleCount; ++m) {
            lines.push_back(ModuleLine(image.modules[m]));
        }
    }
    std::string checks;
    for (const CheckResult& check : VerifyImage(inspection)) {
        checks += (checks.empty() ? "checks: " : ", ") + check.name + ": " + VerdictText(check);
    }
    lines.push_back(checks);
    lines.push_back("logo: " + LogoText(inspection, LogoPlace::Boot));
    if (HasFullScreenModule(image)) {
        lines.push_back("full-screen logo: " + LogoText(inspection, LogoPlace::FullScreen));
        const FileResult<ImageLogo> fullScreen = FindLogo(inspection, LogoPlace::FullScreen);
        if (fullScreen && !fullScreen.value().note.empty()) {
            lines.push_back("  " + fullScreen.value().note.english());
        }
    }
    const AreaNotes areas = DescribeAreas(image);
    lines.insert(lines.end(), areas.details.begin(), areas.details.end());
    lines.insert(lines.end(), areas.warnings.begin(), areas.warnings.end());
    return lines;
}

std::vector<std::string> CheckLines(const std::vector<CheckResult>& checks, bool details) {
    std::vector<std::string> lines;
    for (const CheckResult& check : checks) {
        const bool told = details || check.verdict == Verdict::Fails;
        lines.push_back(check.name + ": " + VerdictText(check) +
                        (told ? ": " + check.detail.english() : ""));
    }
    return lines;
}

std::string DescribeAwardImage(const ImageInspection& inspection) {
    const AwardImage& image = inspection.image;
    std::string text = "Award BIOS image, " + SizeText(image.size) + ", layout " +
                       LayoutName(image.layout) +
                       ", logo: " + LogoText(inspection, LogoPlace::Boot);
    if (HasFullScreenModule(image)) {
        text += ", full-screen logo: " + LogoText(inspection, LogoPlace::FullScreen);
    }
    return text;
}

std::vector<std::string> DescribePlan(const ReplacementPlan& plan, LogoPlace place) {
    std::vector<std::string> lines;
    for (const ModuleChange& change : plan.modules) {
        lines.push_back(PlaceName(place) + " module at " + Hex(change.offset) + ": packed " +
                        std::to_string(change.oldPackedSize) + " bytes before, " +
                        std::to_string(change.newPackedSize) + " after");
        lines.push_back(MoveText(change.movedBytes, change.shift));
        lines.push_back("free room of its chain: " + std::to_string(change.roomBefore) +
                        " bytes before, " + std::to_string(change.roomAfter) + " after");
    }
    if (plan.checks.empty()) {
        lines.push_back("no check byte changes");
    }
    for (const CheckChange& check : plan.checks) {
        const int digits = check.width * 2;
        lines.push_back(check.name + " at " + Hex(check.offset) + ": " + Hex(check.before, digits) +
                        " -> " + Hex(check.after, digits));
    }
    if (!plan.note.empty()) {
        lines.push_back(plan.note.english());
    }
    return lines;
}

} // namespace kalvero::bios
