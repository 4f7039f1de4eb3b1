#include "document/EpaFormat.h"

#include "document/EpaTables.h"
#include "document/FileIo.h"

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

FileStatus ReadEpa(LogoDocument& document, const std::filesystem::path& path) {
    const FileResult<std::uint64_t> length = FileLength(path);
    if (!length) {
        return length.error();
    }
    const EpaLengthClass kind = ClassifyEpaLength(length.value());
    if (kind == EpaLengthClass::Version2) {
        return FileError{FileProblem::NotAccepted,
                         "EPA version 2.0 image, not an editable version-1 logo"};
    }
    if (kind == EpaLengthClass::NotAccepted) {
        return FileError{FileProblem::NotAccepted, "wrong size: " + std::to_string(length.value()) +
                                                       " bytes (an EPA logo has 1602 or 2367)"};
    }
    const FileResult<std::vector<std::uint8_t>> bytes =
        ReadFileExactly(path, static_cast<std::size_t>(length.value()));
    if (!bytes) {
        return bytes.error();
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
