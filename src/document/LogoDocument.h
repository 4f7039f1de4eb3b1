#pragma once

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
// Cells and glyph lines are changed by name, never by position, and every
// position, column, row and line is checked in every build (std::out_of_range).
// The variables change only by the transitions below, each named after what
// happened to the logo.
class LogoDocument {
public:
    // An empty logo of the given size, as at start-up.
    explicit LogoDocument(bool tall = true) : tallLogo_(tall) {}

    std::uint8_t EpaData(int position) const;
    std::span<const std::uint8_t, EpaDataSize> epaImage() const { return bytes_; }

    // The size the logo is drawn, painted and saved in.
    LogoLayout layout() const { return LayoutFor(tallLogo_); }

    // Present when it is backed by a file or was made from a bitmap: a
    // version-1 logo that can be painted and saved.
    bool hasLogo() const { return !epaFileName_.empty() || epaFromBmp_; }
    // The canvas shows the EPA 2.0 logo of the open BIOS image instead.
    bool showsImageEpa2() const { return !imageEpa2_.empty() && !hasLogo() && !fullScreenShown_; }
    // The canvas shows the open image's full-screen logo; its boot logo stays
    // as it is, and is not painted.
    bool showsFullScreen() const { return fullScreenShown_; }
    // A version-1 logo is on the canvas to be painted.
    bool paintable() const { return hasLogo() && !fullScreenShown_; }
    // The open image has a boot logo and a full-screen logo to switch between.
    bool canSwitchLogo() const {
        return !imageFullScreen_.empty() && (hasLogo() || !imageEpa2_.empty());
    }

    void ClearLogo();
    std::uint8_t CellAttribute(int column, int row) const;
    void SetCellAttribute(int column, int row, std::uint8_t index);
    std::uint8_t GlyphRow(int column, int row, int line) const;
    // Line `line` (0..13) of the cell's glyph, its leftmost pixel in the high
    // bit: logo creation writes the glyphs.
    void SetGlyphRow(int column, int row, int line, std::uint8_t bits);
    // The palette index shown at logo pixel (x, y).
    int PixelColour(int x, int y) const;
    // Header with all cells white, and the fixed trailer, for the current size.
    void InitFromTemplate();
    // Changes whenever the logo is replaced or reloaded (cleared, made from
    // the template, read from its file); painting leaves it as it is.
    std::uint64_t generation() const { return generation_; }
    // The version-1 logo was painted or made from a bitmap since it was opened.
    bool edited() const { return edited_; }

    bool TallLogo() const { return tallLogo_; }
    const std::string& EpaFileName() const { return epaFileName_; }
    bool EpaFromBmp() const { return epaFromBmp_; }
    const std::string& BmpFileName() const { return bmpFileName_; }
    bool OpenPending() const { return openPending_; }
    const std::string& CommandLineFile() const { return commandLineFile_; }
    const std::vector<std::uint8_t>& Epa2Data() const { return epa2Data_; }
    bool Epa2Pending() const { return epa2Pending_; }
    bool Epa2Tall() const { return epa2Tall_; }
    // The two-colour bitmap waiting for Create EPA, and its height. Kept apart
    // from TallLogo so that the logo in EpaData keeps its own layout until the
    // bitmap is really converted.
    const std::vector<std::uint8_t>& BmpData() const { return bmpData_; }
    bool BmpTall() const { return bmpTall_; }
    // The bitmap file Load BMP read, while its bitmap is loaded: no output of
    // the editor may replace it. (BmpFileName also names exported bitmaps.)
    const std::string& LoadedBmpFile() const { return loadedBmpFile_; }
    // The name a save-first question names and the save after it proposes:
    // for a logo made from a bitmap its default name, when the bitmap's name
    // is known; else EpaFileName.
    std::string NameToSave() const;
    // The Award BIOS image the logo was opened from, as it was read: every
    // save of a new image starts from these bytes. Empty when none is open.
    const std::string& ImageFileName() const { return imageFileName_; }
    const std::vector<std::uint8_t>& ImageData() const { return imageData_; }
    // The image's boot logo when it is an EPA 2.0 image, and its full-screen
    // logo, which are shown, not edited: as the image holds them, or as the
    // last new image written holds them.
    const std::vector<std::uint8_t>& ImageEpa2() const { return imageEpa2_; }
    const std::vector<std::uint8_t>& ImageFullScreen() const { return imageFullScreen_; }

    // A file was named on the command line: it is to be opened at the first
    // activation of the window, and is the current name until then.
    void namedOnCommandLine(const std::string& file);
    // The command-line file was opened, or failed to open.
    void commandLineOpenRan() { openPending_ = false; }
    // A version-1 logo file was opened: EpaData holds its bytes (1602 or
    // 2367 of them), the rest cleared, and the length tells TallLogo. The
    // file is not read again: the canvas draws what is in memory.
    void openedFile(const std::string& path, std::span<const std::uint8_t> epaFile);
    // A BIOS image was opened, whose logos the three below take.
    void openedImage(const std::string& path, std::vector<std::uint8_t> image);
    // Its boot logo is a version-1 logo: EpaData holds it as from its own
    // file, and the image's name is the current name.
    void foundBootLogo(std::span<const std::uint8_t> epaFile);
    // Its boot logo is an EPA 2.0 image: no version-1 logo, the image is shown.
    void foundBootEpa2(std::vector<std::uint8_t> epa2, bool tall);
    // Its full-screen logo, shown at once when there is no boot logo.
    void foundFullScreen(std::vector<std::uint8_t> logo);
    // The canvas shows the full-screen logo or the boot logo (canSwitchLogo).
    void showedFullScreen(bool shown) { fullScreenShown_ = shown && canSwitchLogo(); }
    // The logo was given up: no file, no image, not made from a bitmap, all
    // bytes 0.
    void droppedLogo();
    // The current name was given up (a cancelled dialog, a refused file).
    void forgotFileName() { epaFileName_.clear(); }
    // Create EPA: the loaded two-colour bitmap becomes the logo; the glyphs
    // are written by its conversion.
    void madeFromBitmap();
    // The logo was written to path, which becomes its file.
    void saved(const std::string& path);
    // Load BMP chose path; the bitmap is read by one of the two below.
    void choseBitmap(const std::string& path);
    void loadedMonoBitmap(std::vector<std::uint8_t> bytes, bool tall);
    void loadedColourBitmap(std::vector<std::uint8_t> epa2Data, bool tall);
    // Load BMP starts: no bitmap is loaded, no EPA 2.0 image pending.
    void unloadedBitmap();
    // The bitmap was given up: no bitmap name, no input to protect.
    void forgotBitmap();
    // The pending EPA 2.0 image was saved as a file (or failed to be): nothing
    // pending, and no current logo file but an open BIOS image's.
    void savedEpa2();
    // A new image was written with the pending EPA 2.0 image as the logo on
    // the canvas (the full-screen logo or the boot logo): it is that logo now,
    // and nothing is pending.
    void replacedImageLogo();
    // EPAtoBMP chose path (empty when cancelled) as the bitmap's name.
    void namedBitmap(const std::string& path) { bmpFileName_ = path; }

private:
    // The index in bytes_ of a cell's attribute, and of one of its glyph lines.
    std::size_t attributeAt(int column, int row) const;
    std::size_t glyphAt(int column, int row, int line) const;

    std::array<std::uint8_t, EpaDataSize> bytes_{};
    std::uint64_t generation_ = 0;
    bool edited_ = false;
    bool tallLogo_ = true;
    std::string epaFileName_;
    bool epaFromBmp_ = false;
    std::string bmpFileName_;
    bool openPending_ = false;
    std::string commandLineFile_;
    std::vector<std::uint8_t> epa2Data_;
    bool epa2Pending_ = false;
    bool epa2Tall_ = true;
    std::vector<std::uint8_t> bmpData_;
    bool bmpTall_ = true;
    std::string loadedBmpFile_;
    std::string imageFileName_;
    std::vector<std::uint8_t> imageData_;
    std::vector<std::uint8_t> imageEpa2_;
    std::vector<std::uint8_t> imageFullScreen_;
    bool fullScreenShown_ = false;

    // EpaData holds the version-1 logo file's bytes, the rest cleared.
    void tookLogo(std::span<const std::uint8_t> epaFile);
};

} // namespace kalvero
