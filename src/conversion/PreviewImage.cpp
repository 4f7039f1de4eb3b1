#include "conversion/PreviewImage.h"

#include "conversion/BmpFormat.h"
#include "conversion/Epa2Image.h"
#include "document/LogoFromEpa.h"
#include "document/LogoRaster.h"

#include <string>

namespace kalvero {
namespace {

constexpr Rgb GridColour{224, 224, 224};

// Writes one picture pixel as a square of scale x scale.
class ScaledCanvas {
public:
    ScaledCanvas(int width, int height, int scale, Rgb background)
        : scale_(scale), image_{width * scale, height * scale, {}} {
        image_.pixels.assign(static_cast<std::size_t>(image_.width) *
                                 static_cast<std::size_t>(image_.height),
                             background);
    }

    void set(int x, int y, Rgb colour) {
        for (int dy = 0; dy < scale_; ++dy) {
            const std::size_t row =
                static_cast<std::size_t>(y * scale_ + dy) * static_cast<std::size_t>(image_.width);
            for (int dx = 0; dx < scale_; ++dx) {
                image_.pixels[row + static_cast<std::size_t>(x * scale_ + dx)] = colour;
            }
        }
    }

    RgbImage take() { return std::move(image_); }

private:
    int scale_;
    RgbImage image_;
};

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

FileResult<RgbImage> RenderEpa2(std::span<const std::uint8_t> file, int scale) {
    const FileResult<Epa2Picture> picture = ParseEpa2(file);
    if (!picture) {
        return picture.error();
    }
    const Epa2Picture& p = picture.value();
    ScaledCanvas image(p.width, p.height, scale, Rgb{});
    for (int y = 0; y < p.height; ++y) {
        for (int x = 0; x < p.width; ++x) {
            image.set(x, y, Epa2Colour(p, p.indices[static_cast<std::size_t>(y * p.width + x)]));
        }
    }
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
        return FileError{FileProblem::Other, "scale below 1"};
    }
    const std::uint64_t scale = static_cast<std::uint64_t>(options.scale);
    const std::uint64_t pixels = static_cast<std::uint64_t>(kind.width) * scale *
                                 static_cast<std::uint64_t>(kind.height) * scale;
    if (pixels > MaxPreviewPixels) {
        return FileError{FileProblem::TooLarge,
                         "picture too large to draw: " + std::to_string(kind.width) + " x " +
                             std::to_string(kind.height) + " pixels at scale " +
                             std::to_string(options.scale)};
    }
    switch (kind.type) {
    case FileType::EpaLogo:
        return RenderLogo(file, options);
    case FileType::Epa2Image:
        return RenderEpa2(file, options.scale);
    case FileType::Bitmap:
        return RenderBitmap(kind, file, options.scale);
    case FileType::NotAccepted:
        break;
    }
    return FileError{FileProblem::NotAccepted, kind.reason};
}

} // namespace kalvero
