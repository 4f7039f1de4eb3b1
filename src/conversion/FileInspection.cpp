#include "conversion/FileInspection.h"

#include "conversion/BmpHeaderCheck.h"
#include "conversion/BootView.h"

namespace kalvero {

bool NeedsWholeFile(const FileKind& kind) {
    return kind.type == FileType::EpaLogo || kind.type == FileType::Bitmap;
}

FileInspection InspectFile(const FileKind& kind, std::span<const std::uint8_t> bytes) {
    if (!NeedsWholeFile(kind)) {
        return FileInspection{kind, 0, {}};
    }
    return FileInspection{kind, BackgroundColourCells(bytes),
                          BmpHeaderWarnings(bytes, BmpUse::Picture)};
}

std::string DescribeInspection(const FileInspection& inspection) {
    const std::string kind = DescribeFileKind(inspection.kind);
    const int cells = inspection.backgroundCells;
    if (cells == 0) {
        return kind;
    }
    return kind + "; " + std::to_string(cells) + (cells == 1 ? " cell has" : " cells have") +
           " a background colour, which the PC shows and the editor's canvas does not";
}

} // namespace kalvero
