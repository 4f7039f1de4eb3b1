#include "document/LogoDocument.h"

#include "document/EpaTables.h"
#include "document/FileNames.h"

#include <algorithm>
#include <stdexcept>
#include <string>

namespace kalvero {
namespace {

void Check(bool inside, const char* what, int value) {
    if (!inside) {
        throw std::out_of_range(std::string("logo ") + what +
                                " out of range: " + std::to_string(value));
    }
}

} // namespace

std::uint8_t LogoDocument::EpaData(int position) const {
    Check(position >= 1 && position <= EpaDataSize, "position", position);
    return bytes_[static_cast<std::size_t>(position - 1)];
}

std::size_t LogoDocument::attributeAt(int column, int row) const {
    Check(column >= 0 && column < CellColumns, "column", column);
    Check(row >= 0 && row < layout().cellRows, "row", row);
    return static_cast<std::size_t>(2 + CellColumns * row + column);
}

std::size_t LogoDocument::glyphAt(int column, int row, int line) const {
    Check(line >= 0 && line < CellHeight, "glyph line", line);
    const std::size_t cell = attributeAt(column, row) - 2;
    return static_cast<std::size_t>(layout().glyphOffset) + std::size_t{CellHeight} * cell +
           static_cast<std::size_t>(line);
}

void LogoDocument::ClearLogo() {
    bytes_.fill(0);
    ++generation_;
}

std::uint8_t LogoDocument::CellAttribute(int column, int row) const {
    return bytes_[attributeAt(column, row)];
}

void LogoDocument::SetCellAttribute(int column, int row, std::uint8_t index) {
    bytes_[attributeAt(column, row)] = index;
    edited_ = true;
}

std::uint8_t LogoDocument::GlyphRow(int column, int row, int line) const {
    return bytes_[glyphAt(column, row, line)];
}

void LogoDocument::SetGlyphRow(int column, int row, int line, std::uint8_t bits) {
    bytes_[glyphAt(column, row, line)] = bits;
    edited_ = true;
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

void LogoDocument::tookLogo(std::span<const std::uint8_t> epaFile) {
    Check(epaFile.size() == ShortEpaLength || epaFile.size() == TallEpaLength, "file length",
          static_cast<int>(epaFile.size()));
    ClearLogo();
    std::copy(epaFile.begin(), epaFile.end(), bytes_.begin());
    tallLogo_ = epaFile.size() == TallEpaLength;
    edited_ = false;
}

void LogoDocument::openedFile(const std::string& path, std::span<const std::uint8_t> epaFile) {
    droppedLogo();
    tookLogo(epaFile);
    epaFileName_ = path;
}

void LogoDocument::openedImage(const std::string& path, std::vector<std::uint8_t> image) {
    droppedLogo();
    imageFileName_ = path;
    imageData_ = std::move(image);
}

void LogoDocument::foundBootLogo(std::span<const std::uint8_t> epaFile) {
    tookLogo(epaFile);
    epaFileName_ = imageFileName_;
}

void LogoDocument::foundBootEpa2(std::vector<std::uint8_t> epa2, bool tall) {
    tallLogo_ = tall;
    imageEpa2_ = std::move(epa2);
}

void LogoDocument::foundFullScreen(std::vector<std::uint8_t> logo) {
    imageFullScreen_ = std::move(logo);
    fullScreenShown_ = !imageFullScreen_.empty() && !hasLogo() && imageEpa2_.empty();
}

void LogoDocument::droppedLogo() {
    epaFileName_.clear();
    epaFromBmp_ = false;
    ClearLogo();
    imageFileName_.clear();
    imageData_.clear();
    imageEpa2_.clear();
    imageFullScreen_.clear();
    fullScreenShown_ = false;
}

std::string LogoDocument::NameToSave() const {
    return epaFromBmp_ && !bmpFileName_.empty() ? DefaultEpaName(bmpFileName_) : epaFileName_;
}

void LogoDocument::madeFromBitmap() {
    epaFromBmp_ = true;
    edited_ = true;
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
    // An EPA 2.0 file is not a logo the editor can show or save again; the
    // logo of an open BIOS image stays.
    if (imageFileName_.empty()) {
        epaFileName_.clear();
    }
}

void LogoDocument::replacedImageLogo() {
    (fullScreenShown_ ? imageFullScreen_ : imageEpa2_) = epa2Data_;
    epa2Pending_ = false;
}

} // namespace kalvero
