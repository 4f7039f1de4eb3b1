#include "conversion/FileKind.h"

#include "conversion/BmpFormat.h"
#include "conversion/Epa2Image.h"
#include "document/EpaFormat.h"
#include "document/FileIo.h"
#include "document/LogoGeometry.h"

#include <algorithm>
#include <array>

namespace kalvero {
namespace {

constexpr std::array<std::uint8_t, 4> Epa2Signature{'A', 'W', 'B', 'M'};
// Marker and palette behind the pixels: "RGB " and 16 or 256 blue, green, red triples.
constexpr std::uint64_t Epa2PlanarTail = 4 + 16 * 3;
constexpr std::uint64_t Epa2PackedTail = 4 + 256 * 3;

FileKind NotAccepted(std::uint64_t length, Reason reason) {
    return FileKind{FileType::NotAccepted, length, 0, 0, 0, std::move(reason)};
}

// A version-1 logo of 17 columns and other than 6 or 9 rows, as one board's
// image holds: told for what it is, though nothing but that image takes it.
bool OddVersion1Logo(std::uint64_t length, std::span<const std::uint8_t> head) {
    return head.size() >= 2 && head[0] == CellColumns && head[1] != 0 &&
           length == static_cast<std::uint64_t>(EpaLengthFor(CellColumns, head[1]));
}

FileKind ClassifyEpa2(std::uint64_t length, std::span<const std::uint8_t> head) {
    if (OddVersion1Logo(length, head)) {
        const int rows = head[1];
        return NotAccepted(
            length, Reason::of<"EPA version 1, 17 x {} cells, 136 x {}: only a BIOS image whose "
                               "logo has {} rows takes it (kalvero-cli bios replace); the editor "
                               "and the conversions take logos of 6 or 9 rows",
                               "EPA Version 1, 17 x {} Zellen, 136 x {}: nur ein BIOS-Abbild, "
                               "dessen Logo {} Zeilen hat, nimmt es (kalvero-cli bios replace); "
                               "der Editor und die Umwandlungen nehmen Logos mit 6 oder 9 "
                               "Zeilen">(rows, rows * CellHeight, rows));
    }
    if (head.size() < FileHeadLength ||
        !std::equal(Epa2Signature.begin(), Epa2Signature.end(), head.begin())) {
        return NotAccepted(length,
                           ClassifyEpaLength(length) == EpaLengthClass::Version2
                               ? NoEpa2Signature()
                               : Reason::of<"wrong size: {} bytes (neither an EPA file "
                                            "nor one of the four accepted bitmaps)",
                                            "falsche Größe: {} Bytes (weder eine EPA-Datei "
                                            "noch eine der vier angenommenen Bitmaps)">(length));
    }
    const int width = head[4] | head[5] << 8;
    const int height = head[6] | head[7] << 8;
    if (width == 0 || height == 0) {
        return NotAccepted(length, Epa2OfNoSize());
    }
    const std::uint64_t w = static_cast<std::uint64_t>(width);
    const std::uint64_t h = static_cast<std::uint64_t>(height);
    // Four bit planes a row, each padded to whole bytes, or one byte a pixel.
    if (length == FileHeadLength + h * 4 * ((w + 7) / 8) + Epa2PlanarTail) {
        return FileKind{FileType::Epa2Image, length, width, height, 16, {}};
    }
    if (length == FileHeadLength + h * 4 * ((w + 7) / 8)) {
        return FileKind{FileType::Epa2Image, length, width, height, 16, {}, false};
    }
    if (length == FileHeadLength + w * h + Epa2PackedTail) {
        return FileKind{FileType::Epa2Image, length, width, height, 256, {}};
    }
    return NotAccepted(length, Epa2OfWrongLength(width, height, length));
}

} // namespace

FileKind ClassifyFile(std::uint64_t length, std::span<const std::uint8_t> head) {
    if (const auto problem = Version1CountsProblem(length, head)) {
        return NotAccepted(length, *problem);
    }
    switch (ClassifyEpaLength(length)) {
    case EpaLengthClass::ShortLogo:
        return FileKind{FileType::EpaLogo, length, LogoWidth, ShortLogoHeight, 16, {}};
    case EpaLengthClass::TallLogo:
        return FileKind{FileType::EpaLogo, length, LogoWidth, TallLogoHeight, 16, {}};
    default:
        break;
    }
    const BmpKind bitmap = ClassifyBmpSize(length);
    if (bitmap != BmpKind::NotAccepted) {
        return FileKind{FileType::Bitmap,
                        length,
                        LogoWidth,
                        IsTallBmp(bitmap) ? TallLogoHeight : ShortLogoHeight,
                        IsColourBmp(bitmap) ? 16 : 2,
                        {}};
    }
    return ClassifyEpa2(length, head);
}

bool KnownByLength(std::uint64_t length) {
    return ClassifyBmpSize(length) != BmpKind::NotAccepted;
}

FileResult<FileKind> ProbeFile(const std::filesystem::path& path) {
    const FileResult<std::uint64_t> length = FileLength(path);
    if (!length) {
        return length.error();
    }
    if (KnownByLength(length.value())) {
        return ClassifyFile(length.value(), {});
    }
    const FileResult<std::vector<std::uint8_t>> head = ReadFilePrefix(path, FileHeadLength);
    if (!head) {
        return head.error();
    }
    return ClassifyFile(length.value(), head.value());
}

Reason DescribeFileKind(const FileKind& kind) {
    switch (kind.type) {
    case FileType::EpaLogo:
        return kind.height == TallLogoHeight
                   ? Reason::of<"EPA version 1, tall logo, {} x {}",
                                "EPA Version 1, hohes Logo, {} x {}">(kind.width, kind.height)
                   : Reason::of<"EPA version 1, short logo, {} x {}",
                                "EPA Version 1, flaches Logo, {} x {}">(kind.width, kind.height);
    case FileType::Epa2Image:
        return kind.ownPalette
                   ? Reason::of<"EPA 2.0, {}-bit ({} colours), {} x {}",
                                "EPA 2.0, {}-Bit ({} Farben), {} x {}">(
                         kind.colours == 16 ? 4 : 8, kind.colours, kind.width, kind.height)
                   : Reason::of<"EPA 2.0, {}-bit ({} standard VGA colours, no palette), {} x {}",
                                "EPA 2.0, {}-Bit ({} VGA-Standardfarben, keine Palette), {} x {}">(
                         kind.colours == 16 ? 4 : 8, kind.colours, kind.width, kind.height);
    case FileType::Bitmap:
        return Reason::of<"bitmap, {} colours, {} x {}", "Bitmap, {} Farben, {} x {}">(
            kind.colours, kind.width, kind.height);
    case FileType::NotAccepted:
        break;
    }
    return Reason::of<"not accepted: {}", "nicht angenommen: {}">(kind.reason);
}

} // namespace kalvero
