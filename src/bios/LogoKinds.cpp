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
        return Refusal(Reason::of<"it holds only the 70-byte trailer of an EPA logo, no picture",
                                  "es enthält nur den 70 Bytes langen Schluss eines EPA-Logos, "
                                  "kein Bild">());
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
        return Refusal(kind.type == FileType::Bitmap
                           ? Reason::of<"it is a bitmap", "es ist eine Bitmap">()
                           : kind.reason);
    }
    return kind;
}

FileResult<FileKind> FullScreenKind(std::span<const std::uint8_t> logo) {
    const FileResult<FileKind> kind = LogoKind(logo);
    if (!kind || kind.value().type != FileType::Epa2Image || kind.value().colours != 16) {
        return Refusal(kind ? Reason::of<"it is {}", "es ist {}">(DescribeLogo(kind.value()))
                            : kind.error().reason);
    }
    return kind;
}

Reason DescribeLogo(const FileKind& kind) {
    if (kind.type == FileType::EpaLogo && kind.height != ShortLogoHeight &&
        kind.height != TallLogoHeight) {
        return Reason::of<"EPA version 1, {} x {} cells, {} x {}",
                          "EPA Version 1, {} x {} Zellen, {} x {}">(
            CellColumns, kind.height / CellHeight, kind.width, kind.height);
    }
    return DescribeFileKind(kind);
}

} // namespace kalvero::bios
