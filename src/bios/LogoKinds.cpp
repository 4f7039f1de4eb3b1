#include "bios/LogoKinds.h"

#include "bios/ImageBytes.h"
#include "conversion/Epa2Image.h"
#include "document/LogoGeometry.h"

#include <algorithm>

namespace kalvero::bios {
namespace {

// A version-1 logo of 17 columns and a number of rows its length does not
// tell ClassifyFile.
bool OtherVersion1(std::span<const std::uint8_t> logo) {
    if (logo.size() < 2 || logo[0] != CellColumns || logo[1] == 0) {
        return false;
    }
    return logo.size() == static_cast<std::size_t>(EpaLengthFor(CellColumns, logo[1]));
}

} // namespace

FileResult<FileKind> LogoKind(std::span<const std::uint8_t> logo) {
    if (logo.size() == EpaTrailerLength) {
        return Refusal("it holds only the 70-byte trailer of an EPA logo, no picture");
    }
    if (OtherVersion1(logo)) {
        return FileKind{FileType::EpaLogo, logo.size(), LogoWidth, logo[1] * CellHeight, 16, {}};
    }
    FileKind kind = ClassifyFile(logo.size(), logo.first(std::min(logo.size(), FileHeadLength)));
    if (kind.type == FileType::Epa2Image) {
        if (const FileResult<Epa2Picture> picture = ParseEpa2(logo); !picture) {
            return Refusal(picture.error().reason);
        }
    } else if (kind.type != FileType::EpaLogo) {
        return Refusal(kind.type == FileType::Bitmap ? "it is a bitmap" : kind.reason);
    }
    return kind;
}

FileResult<FileKind> FullScreenKind(std::span<const std::uint8_t> logo) {
    const FileResult<FileKind> kind = LogoKind(logo);
    if (!kind || kind.value().type != FileType::Epa2Image || kind.value().colours != 16) {
        return Refusal(kind ? "it is " + DescribeLogo(kind.value()) : kind.error().reason);
    }
    return kind;
}

std::string DescribeLogo(const FileKind& kind) {
    if (kind.type == FileType::EpaLogo && kind.height != ShortLogoHeight &&
        kind.height != TallLogoHeight) {
        return "EPA version 1, " + std::to_string(CellColumns) + " x " +
               std::to_string(kind.height / CellHeight) + " cells, " + std::to_string(kind.width) +
               " x " + std::to_string(kind.height);
    }
    return DescribeFileKind(kind);
}

} // namespace kalvero::bios
