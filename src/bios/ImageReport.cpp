#include "bios/ImageReport.h"

#include "bios/ImageBytes.h"
#include "bios/LogoModule.h"

#include <cstdio>

namespace kalvero::bios {
namespace {

std::string VerdictText(Verdict verdict) {
    switch (verdict) {
    case Verdict::Holds:
        return "holds";
    case Verdict::Fails:
        return "FAILS";
    case Verdict::NotUsed:
        return "not used";
    }
    return {};
}

std::string LogoText(const ImageInspection& inspection) {
    const FileResult<std::vector<std::uint8_t>> logo = LogoContent(inspection);
    if (!logo) {
        return "none usable: " + logo.error().reason;
    }
    const FileResult<FileKind> kind = LogoKind(logo.value());
    return kind ? DescribeFileKind(kind.value()) : "not an EPA logo: " + kind.error().reason;
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
    for (std::size_t c = 0; c < image.chains.size(); ++c) {
        const Chain& chain = image.chains[c];
        lines.push_back("chain at " + Hex(chain.start, 5) + " .. " + Hex(chain.end, 5) + ", " +
                        std::to_string(chain.room()) + " bytes of free room up to " +
                        Hex(chain.roomEnd, 5));
        for (std::size_t m = chain.firstModule; m < chain.firstModule + chain.moduleCount; ++m) {
            lines.push_back(ModuleLine(image.modules[m]));
        }
    }
    std::string checks;
    for (const CheckResult& check : VerifyImage(inspection)) {
        checks +=
            (checks.empty() ? "checks: " : ", ") + check.name + " " + VerdictText(check.verdict);
    }
    lines.push_back(checks);
    lines.push_back("logo: " + LogoText(inspection));
    return lines;
}

std::vector<std::string> CheckLines(const std::vector<CheckResult>& checks) {
    std::vector<std::string> lines;
    for (const CheckResult& check : checks) {
        lines.push_back(check.name + ": " + VerdictText(check.verdict) + ": " + check.detail);
    }
    return lines;
}

std::string DescribeAwardImage(const ImageInspection& inspection) {
    const AwardImage& image = inspection.image;
    return "Award BIOS image, " + SizeText(image.size) + ", layout " + LayoutName(image.layout) +
           ", logo: " + LogoText(inspection);
}

std::vector<std::string> DescribePlan(const ReplacementPlan& plan) {
    std::vector<std::string> lines{"logo module at " + Hex(plan.logoOffset) + ": packed " +
                                       std::to_string(plan.oldPackedSize) + " bytes before, " +
                                       std::to_string(plan.newPackedSize) + " after",
                                   MoveText(plan.movedBytes, plan.shift),
                                   "free room of its chain: " + std::to_string(plan.roomBefore) +
                                       " bytes before, " + std::to_string(plan.roomAfter) +
                                       " after"};
    if (plan.checks.empty()) {
        lines.push_back("no check byte changes");
    }
    for (const CheckChange& check : plan.checks) {
        const int digits = check.width * 2;
        lines.push_back(check.name + " at " + Hex(check.offset) + ": " + Hex(check.before, digits) +
                        " -> " + Hex(check.after, digits));
    }
    return lines;
}

} // namespace kalvero::bios
