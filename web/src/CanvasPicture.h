#pragma once

#include <cstdint>
#include <vector>

namespace kalvero {
class CanvasInput;
class LogoDocument;
} // namespace kalvero

namespace kalvero::web {

// What the canvas shows, in RGBA bytes: the logo's cells (one pixel apart on
// the grid's background when it is shown), an EPA 2.0 logo as `render` draws
// it, or the full-screen logo, to be made smaller to fit.
struct CanvasPicture {
    int width = 0;
    int height = 0;
    std::vector<std::uint8_t> rgba;
    bool fit = false; // the full-screen logo: scaled to the canvas's size
    // The canvas's drawing area, as the window's canvas has it.
    int canvasWidth = 0;
    int canvasHeight = 0;
};

CanvasPicture PictureOfCanvas(const LogoDocument& document, const CanvasInput& input);

} // namespace kalvero::web
