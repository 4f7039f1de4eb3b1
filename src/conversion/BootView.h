#pragma once

#include "base/FileResult.h"
#include "conversion/FileKind.h"
#include "conversion/RgbImage.h"

#include <cstdint>
#include <span>

namespace kalvero {

// The screen a PC shows its logo on at power-on: an EPA version-1 logo in text
// mode, 80 x 25 cells of 8 x 14 pixels; an EPA 2.0 image in graphics mode,
// whose text has cells of 8 x 16.
struct BootScreen {
    int width;
    int height;
    int cellHeight; // of the power-on text
};
inline constexpr BootScreen TextModeScreen{640, 350, 14};
inline constexpr BootScreen GraphicsModeScreen{640, 480, 16};

// The screen for an EPA version-1 logo or an EPA 2.0 image.
BootScreen BootScreenFor(const FileKind& kind);

// Where a logo of this width stands: its top right at the screen's top right,
// so that a 136-pixel logo starts at x = 504 (text column 63), y = 0. Boards
// put it there or 24 pixels further left, and up to 16 lines lower; wider
// images start at the left edge.
struct BootLogoPlace {
    int left;
    int top;
};
BootLogoPlace BootLogoPlaceFor(int logoWidth);

// How many cells of an EPA version-1 logo have an attribute above 15: the PC
// shows their clear pixels in the background colour of the attribute's high
// four bits, where the editor's canvas shows black. 0 for any other file.
int BackgroundColourCells(std::span<const std::uint8_t> epaFile);

// An EPA file as the PC shows it at power-on, each pixel a square of
// scale x scale: the logo alone, or (wholeScreen) at the top right of its
// power-on screen with a few lines of text on the left. A version-1 logo is
// drawn in the VGA text colours, each cell's foreground from the low four bits
// of its attribute and background from the high four, on a black screen; an
// EPA 2.0 image in its own palette, whose first 16 entries the screen and its
// text take too (entry 0 the background, 7 and 15 the text). The logo covers
// the lines of text it meets, but for the bottom line, which stands over it on
// a cleared text row (the full-screen logo's last 16 rows), unless
// !bottomLine (a BIOS that shows the whole full-screen logo). kind is
// ClassifyFile's for file; other kinds are refused.
FileResult<RgbImage> RenderBootView(const FileKind& kind, std::span<const std::uint8_t> file,
                                    int scale, bool wholeScreen, bool bottomLine = true);

} // namespace kalvero
