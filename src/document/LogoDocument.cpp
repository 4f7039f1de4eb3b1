#include "document/LogoDocument.h"

#include "document/EpaTables.h"
#include "document/FileNames.h"

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

void LogoDocument::namedOnCommandLine(const std::string& file) {
    commandLineFile_ = file;
    openPending_ = true;
    epaFileName_ = file;
}

void LogoDocument::openedFile(const std::string& path, std::span<const std::uint8_t> epaFile) {
    assert(epaFile.size() == ShortEpaLength || epaFile.size() == TallEpaLength);
    ClearLogo();
    std::copy(epaFile.begin(), epaFile.end(), bytes_.begin());
    epaFileName_ = path;
    epaFromBmp_ = false;
    tallLogo_ = epaFile.size() == TallEpaLength;
    imageFileName_.clear();
    imageData_.clear();
    imageEpa2_.clear();
}

void LogoDocument::openedImage(const std::string& path, std::vector<std::uint8_t> image,
                               std::span<const std::uint8_t> epaFile) {
    openedFile(path, epaFile);
    imageFileName_ = path;
    imageData_ = std::move(image);
}

void LogoDocument::openedImageEpa2(const std::string& path, std::vector<std::uint8_t> image,
                                   std::vector<std::uint8_t> epa2, bool tall) {
    droppedLogo();
    tallLogo_ = tall;
    imageFileName_ = path;
    imageData_ = std::move(image);
    imageEpa2_ = std::move(epa2);
}

void LogoDocument::droppedLogo() {
    epaFileName_.clear();
    epaFromBmp_ = false;
    ClearLogo();
    imageFileName_.clear();
    imageData_.clear();
    imageEpa2_.clear();
}

std::string LogoDocument::NameToSave() const {
    return epaFromBmp_ && !bmpFileName_.empty() ? DefaultEpaName(bmpFileName_) : epaFileName_;
}

void LogoDocument::madeFromBitmap() {
    epaFromBmp_ = true;
    tallLogo_ = bmpTall_;
}

void LogoDocument::saved(const std::string& path) {
    epaFileName_ = path;
    epaFromBmp_ = false;
}

void LogoDocument::choseBitmap(const std::string& path) {
    bmpFileName_ = path;
}

void LogoDocument::loadedMonoBitmap(std::vector<std::uint8_t> bytes, bool tall) {
    bmpData_ = std::move(bytes);
    bmpTall_ = tall;
    loadedBmpFile_ = bmpFileName_;
}

void LogoDocument::loadedColourBitmap(std::vector<std::uint8_t> epa2Data, bool tall) {
    epa2Data_ = std::move(epa2Data);
    epa2Pending_ = true;
    epa2Tall_ = tall;
    loadedBmpFile_ = bmpFileName_;
}

void LogoDocument::unloadedBitmap() {
    epa2Pending_ = false;
    loadedBmpFile_.clear();
}

void LogoDocument::forgotBitmap() {
    bmpFileName_.clear();
    loadedBmpFile_.clear();
}

void LogoDocument::savedEpa2() {
    epa2Pending_ = false;
    epaFileName_.clear();
}

} // namespace kalvero
