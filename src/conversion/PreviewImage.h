#pragma once

#include "base/FileResult.h"
#include "conversion/RgbImage.h"

#include <cstdint>
#include <span>

namespace kalvero {

enum class PreviewView {
    Editor,     // as the editor shows it
    Boot,       // as the PC shows the logo at power-on
    BootScreen, // the same, on the PC's power-on screen
};

struct PreviewOptions {
    int scale = 1;     // each picture pixel becomes scale x scale pixels
    bool grid = false; // EPA version 1 in the editor's view only: cells one pixel apart
    PreviewView view = PreviewView::Editor;
    bool bottomLine = true; // BootScreen: the power-on text's bottom line (RenderBootView)
};

// Larger previews are refused rather than drawn.
inline constexpr std::uint64_t MaxPreviewPixels = 64ULL * 1024 * 1024;

// The picture of a whole file. In the editor's view: an EPA logo in the
// 16-colour palette, with the cell grid gaps in light grey when asked; an EPA
// 2.0 image in its own palette; one of the four accepted bitmaps in the file's
// palette. In the PC's views, EPA files only, as RenderBootView draws them.
// Any other file is refused with the reason.
FileResult<RgbImage> RenderPreview(std::span<const std::uint8_t> file,
                                   const PreviewOptions& options);

} // namespace kalvero
