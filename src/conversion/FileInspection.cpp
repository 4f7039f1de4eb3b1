#include "conversion/FileInspection.h"

#include "conversion/BmpHeaderCheck.h"
#include "conversion/BootView.h"
#include "conversion/Epa2Image.h"

#include <algorithm>

namespace kalvero {

namespace {

std::vector<std::string> Epa2Warnings(std::span<const std::uint8_t> bytes) {
    const FileResult<Epa2Picture> picture = ParseEpa2(bytes);
    const auto pixels = picture ? std::count(picture.value().indices.begin(),
                                             picture.value().indices.end(), Epa2MiscolouredEntry)
                                : 0;
    if (pixels == 0) {
        return {};
    }
    return {std::to_string(pixels) + (pixels == 1 ? " pixel uses" : " pixels use") +
            " palette entry 6, which two of three boards measured show in another entry's "
            "colour"};
}

} // namespace

bool NeedsWholeFile(const FileKind& kind) {
    return kind.type == FileType::EpaLogo || kind.type == FileType::Bitmap ||
           (kind.type == FileType::Epa2Image && kind.colours == 16);
}

FileInspection InspectFile(const FileKind& kind, std::span<const std::uint8_t> bytes) {
    if (!NeedsWholeFile(kind)) {
        return FileInspection{kind, 0, {}};
    }
    if (kind.type == FileType::Epa2Image) {
        return FileInspection{kind, 0, Epa2Warnings(bytes)};
    }
    return FileInspection{kind, BackgroundColourCells(bytes),
                          BmpHeaderWarnings(bytes, BmpUse::Picture)};
}

std::string DescribeInspection(const FileInspection& inspection) {
    const std::string kind = DescribeFileKind(inspection.kind).english();
    const int cells = inspection.backgroundCells;
    if (cells == 0) {
        return kind;
    }
    return kind + "; " + std::to_string(cells) + (cells == 1 ? " cell has" : " cells have") +
           " a background colour, which the PC shows and the editor's canvas does not";
}

} // namespace kalvero
