#include "conversion/BootView.h"

#include "conversion/Epa2Image.h"
#include "conversion/ScaledCanvas.h"
#include "conversion/ScreenFont.h"
#include "document/LogoFromEpa.h"
#include "document/LogoRaster.h"

#include <algorithm>
#include <array>
#include <optional>
#include <vector>

namespace kalvero {
namespace {

using ScreenColours = std::array<Rgb, 16>;

// The sixteen colours of a VGA in text mode.
constexpr ScreenColours VgaTextColours{{
    {0, 0, 0},
    {0, 0, 170},
    {0, 170, 0},
    {0, 170, 170},
    {170, 0, 0},
    {170, 0, 170},
    {170, 85, 0},
    {170, 170, 170},
    {85, 85, 85},
    {85, 85, 255},
    {85, 255, 85},
    {85, 255, 255},
    {255, 85, 85},
    {255, 85, 255},
    {255, 255, 85},
    {255, 255, 255},
}};

constexpr int LightGrey = 7;
constexpr int White = 15;

// Our own power-on text; a negative row counts from the bottom of the screen.
struct TextLine {
    int row;
    int colour;
    const char* text;
};
constexpr TextLine PowerOnText[] = {
    {0, White, "Power-On Self Test v1.0"},
    {2, LightGrey, "Memory Test :  16384K OK"},
    {-1, LightGrey, "Press DEL to open Setup"},
};
static_assert(std::all_of(std::begin(PowerOnText), std::end(PowerOnText),
                          [](const TextLine& line) { return CanDrawText(line.text); }),
              "every character of the power-on text has a glyph");

// Our own power-on text in the screen's colours: the lines above the bottom
// one before the logo, which covers them where they meet; the bottom line
// after it, on a cleared text row.
void DrawPowerOnText(ScaledCanvas& canvas, const BootScreen& screen, const ScreenColours& colours,
                     bool bottomLine) {
    const int rows = screen.height / screen.cellHeight;
    for (const TextLine& line : PowerOnText) {
        if ((line.row < 0) != bottomLine) {
            continue;
        }
        const int top = (line.row < 0 ? rows + line.row : line.row) * screen.cellHeight;
        if (bottomLine) {
            for (int y = top; y < top + screen.cellHeight; ++y) {
                for (int x = 0; x < screen.width; ++x) {
                    canvas.set(x, y, colours[0]);
                }
            }
        }
        const Rgb colour = colours[static_cast<std::size_t>(line.colour)];
        for (int column = 0; line.text[column] != '\0'; ++column) {
            for (int y = 0; y < screen.cellHeight; ++y) {
                const int bits = ScreenFontRow(line.text[column], screen.cellHeight, y);
                for (int x = 0; x < CellWidth; ++x) {
                    if ((bits >> (7 - x) & 1) != 0) {
                        canvas.set(column * CellWidth + x, top + y, colour);
                    }
                }
            }
        }
    }
}

void DrawLogo(const LogoDocument& logo, ScaledCanvas& canvas, BootLogoPlace place) {
    const CanvasGeometry touching{1};
    const LogoLayout size = logo.layout();
    for (int cell = 0; cell < size.cellCount; ++cell) {
        const int column = cell % CellColumns;
        const int row = cell / CellColumns;
        const int attribute = logo.CellAttribute(column, row);
        const Rgb foreground = VgaTextColours[static_cast<std::size_t>(attribute & 15)];
        const Rgb background = VgaTextColours[static_cast<std::size_t>(attribute >> 4)];
        // A foreground of 1 marks the set bits.
        ForEachCellPixel(logo, touching, column, row, 1, [&](int x, int y, int set) {
            canvas.set(place.left + x, place.top + y, set != 0 ? foreground : background);
        });
    }
}

// Every entry of an EPA 2.0 logo's palette as the screen shows it.
std::vector<Rgb> Epa2Palette(const Epa2Picture& picture) {
    std::vector<Rgb> colours(picture.palette6.size() / 3);
    for (std::size_t index = 0; index < colours.size(); ++index) {
        colours[index] = Epa2Colour(picture, static_cast<int>(index));
    }
    return colours;
}

// Cut at the canvas's right and bottom edges.
void DrawEpa2(const Epa2Picture& picture, const std::vector<Rgb>& palette, ScaledCanvas& canvas,
              BootLogoPlace place) {
    const int width = std::min(picture.width, canvas.width() - place.left);
    const int height = std::min(picture.height, canvas.height() - place.top);
    for (int y = 0; y < height; ++y) {
        const std::size_t row =
            static_cast<std::size_t>(y) * static_cast<std::size_t>(picture.width);
        for (int x = 0; x < width; ++x) {
            canvas.set(place.left + x, place.top + y,
                       palette[picture.indices[row + static_cast<std::size_t>(x)]]);
        }
    }
}

} // namespace

BootScreen BootScreenFor(const FileKind& kind) {
    return kind.type == FileType::Epa2Image ? GraphicsModeScreen : TextModeScreen;
}

BootLogoPlace BootLogoPlaceFor(int logoWidth) {
    return BootLogoPlace{std::max(0, TextModeScreen.width - logoWidth), 0};
}

int BackgroundColourCells(std::span<const std::uint8_t> epaFile) {
    const std::optional<LogoDocument> logo = LogoFromEpa(epaFile);
    if (!logo) {
        return 0;
    }
    int cells = 0;
    for (int cell = 0; cell < logo->layout().cellCount; ++cell) {
        cells += logo->CellAttribute(cell % CellColumns, cell / CellColumns) > 15 ? 1 : 0;
    }
    return cells;
}

FileResult<RgbImage> RenderBootView(const FileKind& kind, std::span<const std::uint8_t> file,
                                    int scale, bool wholeScreen, bool bottomLine) {
    if (kind.type == FileType::NotAccepted) {
        return FileError{FileProblem::NotAccepted, kind.reason};
    }
    if (kind.type == FileType::Bitmap) {
        return FileError{FileProblem::NotAccepted,
                         Reason::of<"the PC shows EPA files, not bitmaps: make an EPA file of it "
                                    "first",
                                    "der PC zeigt EPA-Dateien, keine Bitmaps: machen Sie zuerst "
                                    "eine EPA-Datei daraus">()};
    }
    std::optional<Epa2Picture> picture;
    if (kind.type == FileType::Epa2Image) {
        FileResult<Epa2Picture> parsed = ParseEpa2(file);
        if (!parsed) {
            return parsed.error();
        }
        picture = std::move(parsed).value();
    }
    // The BIOS loads an EPA 2.0 logo's palette into the first 16 colour
    // registers for the whole screen: the screen's black is its entry 0, the
    // text's colours its entries 7 and 15.
    const std::vector<Rgb> palette = picture ? Epa2Palette(*picture) : std::vector<Rgb>{};
    ScreenColours colours = VgaTextColours;
    std::copy_n(palette.begin(), std::min(palette.size(), colours.size()), colours.begin());
    const BootScreen screen = BootScreenFor(kind);
    const BootLogoPlace place = wholeScreen ? BootLogoPlaceFor(kind.width) : BootLogoPlace{0, 0};
    ScaledCanvas canvas(wholeScreen ? screen.width : kind.width,
                        wholeScreen ? screen.height : kind.height, scale, colours[0]);
    if (wholeScreen) {
        DrawPowerOnText(canvas, screen, colours, false);
    }
    if (picture) {
        DrawEpa2(*picture, palette, canvas, place);
    } else {
        DrawLogo(*LogoFromEpa(file), canvas, place);
    }
    if (wholeScreen && bottomLine) {
        DrawPowerOnText(canvas, screen, colours, true);
    }
    return canvas.take();
}

} // namespace kalvero
