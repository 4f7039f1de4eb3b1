#pragma once

#include "conversion/RgbImage.h"

#include <optional>
#include <string>

namespace kalvero {

struct EditorControls;

// What the commands ask of the face that shows them, beside the dialogs:
// drawing the controls, the canvas and the loaded bitmap.
class EditorView {
public:
    virtual ~EditorView() = default;
    // The controls changed: show them as they are now.
    virtual void showControls(const EditorControls& controls) = 0;
    // Erases the canvas.
    virtual void clearCanvas() = 0;
    // Draws what the canvas shows now: the logo, an EPA 2.0 image or the
    // full-screen logo.
    virtual void redrawCanvas() = 0;
    // Shows the bitmap file in the preview; false when it cannot be shown.
    virtual bool showBitmap(const std::string& path) = 0;
    virtual void removeBitmap() = 0;
    // Any picture file the face can read, upright, transparent parts over
    // black; nothing when it cannot.
    virtual std::optional<RgbImage> decodePicture(const std::string& path) = 0;
};

} // namespace kalvero
