#include "document/LogoDocument.h"

#include "document/EpaTables.h"
#include "document/FileIo.h"

#include <algorithm>
#include <cassert>

namespace kalvero {

std::uint8_t& LogoDocument::EpaData(int position) {
    assert(position >= 1 && position <= EpaDataSize);
    return bytes_[static_cast<std::size_t>(position - 1)];
}

std::uint8_t LogoDocument::EpaData(int position) const {
    assert(position >= 1 && position <= EpaDataSize);
    return bytes_[static_cast<std::size_t>(position - 1)];
}

void LogoDocument::ClearLogo() {
    bytes_.fill(0);
    ++generation_;
}

std::uint8_t LogoDocument::CellAttribute(int column, int row) const {
    return EpaData(3 + CellColumns * row + column);
}

void LogoDocument::SetCellAttribute(int column, int row, std::uint8_t index) {
    EpaData(3 + CellColumns * row + column) = index;
}

std::uint8_t LogoDocument::GlyphRow(int column, int row, int line) const {
    const int firstGlyphPosition = layout().glyphOffset + 1;
    return EpaData(firstGlyphPosition + CellHeight * (CellColumns * row + column) + line);
}

int LogoDocument::PixelColour(int x, int y) const {
    const int column = x / CellWidth;
    const int row = y / CellHeight;
    const int bit = 7 - x % CellWidth;
    if ((GlyphRow(column, row, y % CellHeight) >> bit & 1) == 0) {
        return 0;
    }
    const int attribute = CellAttribute(column, row);
    return attribute > 15 ? 0 : attribute;
}

void LogoDocument::InitFromTemplate() {
    const LogoLayout size = layout();
    std::copy_n(EpaHeaderTemplate.begin(), size.glyphOffset, bytes_.begin());
    std::copy(EpaTrailer.begin(), EpaTrailer.end(), bytes_.begin() + size.trailerOffset);
    ++generation_;
}

FileStatus LogoDocument::ReloadLogo() {
    if (EpaFileName.empty() || EpaFromBmp) {
        return Succeeded;
    }
    FileResult<std::vector<std::uint8_t>> file =
        ReadFilePrefix(PathFromUtf8(EpaFileName), EpaDataSize);
    if (!file) {
        return file.error();
    }
    std::copy(file.value().begin(), file.value().end(), bytes_.begin());
    ++generation_;
    return Succeeded;
}

} // namespace kalvero
