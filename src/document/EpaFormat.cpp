#include "document/EpaFormat.h"

#include "document/EpaTables.h"
#include "document/FileIo.h"
#include "document/LogoGeometry.h"

#include <algorithm>

namespace kalvero {

EpaLengthClass ClassifyEpaLength(std::uint64_t length) {
    switch (length) {
    case ShortEpaLength:
        return EpaLengthClass::ShortLogo;
    case TallEpaLength:
        return EpaLengthClass::TallLogo;
    case Epa2ShortLength:
    case Epa2TallLength:
        return EpaLengthClass::Version2;
    default:
        return EpaLengthClass::NotAccepted;
    }
}

std::optional<Reason> Version1CountsProblem(std::uint64_t length,
                                            std::span<const std::uint8_t> head) {
    const EpaLengthClass kind = ClassifyEpaLength(length);
    if (kind != EpaLengthClass::ShortLogo && kind != EpaLengthClass::TallLogo) {
        return std::nullopt;
    }
    const int rows = kind == EpaLengthClass::TallLogo ? TallCellRows : ShortCellRows;
    if (head.size() >= 2 && head[0] == CellColumns && head[1] == rows) {
        return std::nullopt;
    }
    const auto count = [&head](std::size_t at) {
        return at < head.size() ? std::to_string(head[at]) : std::string("?");
    };
    return Reason::of<"EPA version-1 logo whose count bytes say {} x {} cells, where its {} bytes "
                      "hold {} x {}: a BIOS reads the counts and would not show it as it is",
                      "EPA-Logo der Version 1, dessen Zählbytes {} x {} Zellen sagen, wo seine {} "
                      "Bytes {} x {} enthalten: ein BIOS liest die Zählbytes und würde es nicht "
                      "so zeigen, wie es ist">(count(0), count(1), length, CellColumns, rows);
}

FileStatus ReadEpa(LogoDocument& document, const std::filesystem::path& path) {
    const FileResult<std::uint64_t> length = FileLength(path);
    if (!length) {
        return length.error();
    }
    const EpaLengthClass kind = ClassifyEpaLength(length.value());
    if (kind == EpaLengthClass::Version2) {
        return FileError{FileProblem::NotAccepted,
                         Reason::of<"EPA version 2.0 image, not an editable version-1 logo",
                                    "EPA-Bild der Version 2.0, kein bearbeitbares Logo der "
                                    "Version 1">()};
    }
    if (kind == EpaLengthClass::NotAccepted) {
        return FileError{FileProblem::NotAccepted,
                         Reason::of<"wrong size: {} bytes (an EPA logo has 1602 or 2367)",
                                    "falsche Größe: {} Bytes (ein EPA-Logo hat 1602 oder 2367)">(
                             length.value())};
    }
    const FileResult<std::vector<std::uint8_t>> bytes =
        ReadFileExactly(path, static_cast<std::size_t>(length.value()));
    if (!bytes) {
        return bytes.error();
    }
    if (const auto problem = Version1CountsProblem(length.value(), bytes.value())) {
        return FileError{FileProblem::NotAccepted, *problem};
    }
    document.openedFile(Utf8FromPath(path), bytes.value());
    return Succeeded;
}

std::vector<std::uint8_t> WriteEpa(const LogoDocument& document) {
    const std::span<const std::uint8_t, EpaDataSize> image = document.epaImage();
    if (document.TallLogo()) {
        return {image.begin(), image.end()};
    }
    const LogoLayout size = LayoutFor(false);
    std::vector<std::uint8_t> bytes(image.begin(), image.begin() + size.trailerOffset);
    bytes[1] = ShortCellRows;
    bytes.insert(bytes.end(), EpaTrailer.begin(), EpaTrailer.end());
    return bytes;
}

FileStatus SaveEpaFile(LogoDocument& document, const std::filesystem::path& path) {
    return WriteFileAtomically(path, WriteEpa(document));
}

} // namespace kalvero
