#pragma once

#include "base/FileResult.h"
#include "document/LogoGeometry.h"

#include <array>
#include <cstdint>
#include <span>
#include <string>
#include <vector>

namespace kalvero {

// The logo being edited, held as the byte image of its EPA version-1 file, and
// the variables that tell where it came from and what is waiting to be saved.
// EpaData is addressed at positions 1..2367: position p is file offset p - 1.
class LogoDocument {
public:
    std::uint8_t& EpaData(int position);
    std::uint8_t EpaData(int position) const;
    std::span<const std::uint8_t, EpaDataSize> epaImage() const { return bytes_; }

    // The size the logo is drawn, painted and saved in.
    LogoLayout layout() const { return LayoutFor(TallLogo); }

    // Present when it is backed by a file or was made from a bitmap.
    bool hasLogo() const { return !EpaFileName.empty() || EpaFromBmp; }

    void ClearLogo();
    std::uint8_t CellAttribute(int column, int row) const;
    void SetCellAttribute(int column, int row, std::uint8_t index);
    std::uint8_t GlyphRow(int column, int row, int line) const;
    // The palette index shown at logo pixel (x, y).
    int PixelColour(int x, int y) const;
    // Header with all cells white, and the fixed trailer, for the current size.
    void InitFromTemplate();
    // For a file logo: copies the file's first bytes (at most 2367) over
    // EpaData. Does nothing for a bitmap logo or when there is no file; on a
    // read error EpaData keeps what it holds.
    FileStatus ReloadLogo();
    // Changes whenever the logo is replaced or reloaded (cleared, made from
    // the template, read from its file); painting leaves it as it is.
    std::uint64_t generation() const { return generation_; }

    bool TallLogo = true;
    std::string EpaFileName;
    bool EpaFromBmp = false;
    std::string BmpFileName;
    bool OpenPending = false;
    std::string CommandLineFile;
    int MsgAnswer = 0;
    std::vector<std::uint8_t> Epa2Data;
    bool Epa2Pending = false;
    bool Epa2Tall = true;
    // The two-colour bitmap waiting for Create EPA, and its height. Kept apart
    // from TallLogo so that the logo in EpaData keeps its own layout until the
    // bitmap is really converted.
    std::vector<std::uint8_t> BmpData;
    bool BmpTall = true;
    // The bitmap file Load BMP read, while its bitmap is loaded: no output of
    // the editor may replace it. (BmpFileName also names exported bitmaps.)
    std::string LoadedBmpFile;

private:
    std::array<std::uint8_t, EpaDataSize> bytes_{};
    std::uint64_t generation_ = 0;
};

} // namespace kalvero
