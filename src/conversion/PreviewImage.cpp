#include "conversion/PreviewImage.h"

#include "conversion/BmpFormat.h"
#include "conversion/BootView.h"
#include "conversion/FileKind.h"
#include "conversion/ScaledCanvas.h"
#include "document/LogoFromEpa.h"
#include "document/LogoRaster.h"

#include <string>

namespace kalvero {
namespace {

constexpr Rgb GridColour{224, 224, 224};

Rgb BmpPaletteColour(std::span<const std::uint8_t> file, int index) {
    const std::size_t at = BmpPaletteOffset + 4 * static_cast<std::size_t>(index);
    return Rgb{file[at + 2], file[at + 1], file[at]};
}

RgbImage RenderLogo(std::span<const std::uint8_t> file, const PreviewOptions& options) {
    const LogoDocument logo = *LogoFromEpa(file);
    const CanvasGeometry canvas{options.grid ? 0 : 1};
    ScaledCanvas image(canvas.logoWidth(), canvas.logoHeight(logo.layout()), options.scale,
                       GridColour);
    ForEachLogoPixel(logo, canvas, [&](int x, int y, int colour) {
        image.set(x, y, Palette[static_cast<std::size_t>(colour)]);
    });
    return image.take();
}

// Bitmaps are read at the fixed offsets of their layout, rows bottom-up.
RgbImage RenderBitmap(const FileKind& kind, std::span<const std::uint8_t> file, int scale) {
    const bool colour = kind.colours == 16;
    const std::size_t pixels = colour ? ColourBmpPixelOffset : MonoBmpPixelOffset;
    const std::size_t rowLength = colour ? ColourBmpRowLength : MonoBmpRowLength;
    ScaledCanvas image(kind.width, kind.height, scale, Rgb{});
    for (int y = 0; y < kind.height; ++y) {
        const std::size_t row = pixels + static_cast<std::size_t>(kind.height - 1 - y) * rowLength;
        for (int x = 0; x < kind.width; ++x) {
            const std::uint8_t byte = file[row + static_cast<std::size_t>(colour ? x / 2 : x / 8)];
            const int index =
                colour ? (x % 2 == 0 ? byte >> 4 : byte & 15) : byte >> (7 - x % 8) & 1;
            image.set(x, y, BmpPaletteColour(file, index));
        }
    }
    return image.take();
}

} // namespace

FileResult<RgbImage> RenderPreview(std::span<const std::uint8_t> file,
                                   const PreviewOptions& options) {
    const FileKind kind = ClassifyFile(file.size(), file);
    if (options.scale < 1) {
        return FileError{FileProblem::Other, Reason::of<"scale below 1", "Maßstab unter 1">()};
    }
    const bool editor = options.view == PreviewView::Editor;
    if (!editor && options.grid) {
        return FileError{
            FileProblem::Other,
            Reason::of<"the PC shows no cell grid", "der PC zeigt kein Zellenraster">()};
    }
    const bool wholeScreen = options.view == PreviewView::BootScreen;
    const BootScreen screen = BootScreenFor(kind);
    const int width = wholeScreen ? screen.width : kind.width;
    const int height = wholeScreen ? screen.height : kind.height;
    const std::uint64_t scale = static_cast<std::uint64_t>(options.scale);
    const std::uint64_t pixels =
        static_cast<std::uint64_t>(width) * scale * static_cast<std::uint64_t>(height) * scale;
    if (pixels > MaxPreviewPixels) {
        return FileError{FileProblem::TooLarge,
                         Reason::of<"picture too large to draw: {} x {} pixels at scale {}",
                                    "Bild zu groß zum Zeichnen: {} x {} Pixel im Maßstab {}">(
                             width, height, options.scale)};
    }
    if (!editor) {
        return RenderBootView(kind, file, options.scale, wholeScreen, options.bottomLine);
    }
    switch (kind.type) {
    case FileType::EpaLogo:
        return RenderLogo(file, options);
    case FileType::Epa2Image:
        // The editor never shows these; the PC's colours are their only ones.
        return RenderBootView(kind, file, options.scale, false);
    case FileType::Bitmap:
        return RenderBitmap(kind, file, options.scale);
    case FileType::NotAccepted:
        break;
    }
    return FileError{FileProblem::NotAccepted, kind.reason};
}

} // namespace kalvero
