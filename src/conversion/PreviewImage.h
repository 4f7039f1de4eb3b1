#pragma once

#include "conversion/FileKind.h"
#include "document/FileResult.h"
#include "document/Palette.h"

#include <cstdint>
#include <span>
#include <vector>

namespace kalvero {

struct PreviewOptions {
    int scale = 1;     // each picture pixel becomes scale x scale pixels
    bool grid = false; // EPA version 1 only: cells one pixel apart, as on the canvas
};

// Tightly packed red, green, blue pixels, top row first.
struct RgbImage {
    int width = 0;
    int height = 0;
    std::vector<Rgb> pixels;

    Rgb at(int x, int y) const { return pixels[static_cast<std::size_t>(y * width + x)]; }
};
static_assert(sizeof(Rgb) == 3, "RgbImage rows are handed on as packed bytes");

// Larger previews are refused rather than drawn.
inline constexpr std::uint64_t MaxPreviewPixels = 64ULL * 1024 * 1024;

// The picture of a whole file as the editor shows it: an EPA logo in the
// 16-colour palette, with the cell grid gaps in light grey when asked; an EPA
// 2.0 image in its own palette; one of the four accepted bitmaps in the file's
// palette. Any other file is refused with the reason.
FileResult<RgbImage> RenderPreview(std::span<const std::uint8_t> file,
                                   const PreviewOptions& options);

} // namespace kalvero
