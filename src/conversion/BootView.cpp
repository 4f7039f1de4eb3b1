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

// The sixteen colours of a VGA in text mode.
constexpr std::array<Rgb, 16> VgaTextColours{{
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

void DrawPowerOnText(ScaledCanvas& canvas, const BootScreen& screen) {
    const int rows = screen.height / screen.cellHeight;
    for (const TextLine& line : PowerOnText) {
        const int top = (line.row < 0 ? rows + line.row : line.row) * screen.cellHeight;
        const Rgb colour = VgaTextColours[static_cast<std::size_t>(line.colour)];
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

// Cut at the canvas's right and bottom edges.
void DrawEpa2(const Epa2Picture& picture, ScaledCanvas& canvas, BootLogoPlace place) {
    std::vector<Rgb> colours(picture.palette6.size() / 3);
    for (std::size_t index = 0; index < colours.size(); ++index) {
        colours[index] = Epa2Colour(picture, static_cast<int>(index));
    }
    const int width = std::min(picture.width, canvas.width() - place.left);
    const int height = std::min(picture.height, canvas.height() - place.top);
    for (int y = 0; y < height; ++y) {
        const std::size_t row =
            static_cast<std::size_t>(y) * static_cast<std::size_t>(picture.width);
        for (int x = 0; x < width; ++x) {
            canvas.set(place.left + x, place.top + y,
                       colours[picture.indices[row + static_cast<std::size_t>(x)]]);
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
                                    int scale, bool wholeScreen) {
    if (kind.type == FileType::NotAccepted) {
        return FileError{FileProblem::NotAccepted, kind.reason};
    }
    if (kind.type == FileType::Bitmap) {
        return FileError{FileProblem::NotAccepted,
                         "the PC shows EPA files, not bitmaps: make an EPA file of it first"};
    }
    const BootScreen screen = BootScreenFor(kind);
    const BootLogoPlace place = wholeScreen ? BootLogoPlaceFor(kind.width) : BootLogoPlace{0, 0};
    ScaledCanvas canvas(wholeScreen ? screen.width : kind.width,
                        wholeScreen ? screen.height : kind.height, scale, Rgb{});
    if (wholeScreen) {
        DrawPowerOnText(canvas, screen);
    }
    if (kind.type == FileType::EpaLogo) {
        DrawLogo(*LogoFromEpa(file), canvas, place);
        return canvas.take();
    }
    const FileResult<Epa2Picture> picture = ParseEpa2(file);
    if (!picture) {
        return picture.error();
    }
    DrawEpa2(picture.value(), canvas, place);
    return canvas.take();
}

} // namespace kalvero
