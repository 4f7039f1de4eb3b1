#pragma once

#include "editor/EditorView.h"

namespace kalvero {
class CanvasInput;
class LogoDocument;
} // namespace kalvero

namespace kalvero::web {

// Draws the session on the page: the controls, the canvas and the preview of
// the loaded bitmap, through the page's script.
class WebView final : public EditorView {
public:
    // The canvas input says the grid and the canvas's size.
    void attach(const LogoDocument& document, const CanvasInput& input) {
        document_ = &document;
        input_ = &input;
    }

    void showControls(const EditorControls& controls) override;
    void clearCanvas() override;
    void redrawCanvas() override;
    bool showBitmap(const std::string& path) override;
    void removeBitmap() override;
    // Only a picture the browser decoded (PictureBehindBitmap).
    std::optional<RgbImage> decodePicture(const std::string& path) override;

private:
    const LogoDocument* document_ = nullptr;
    const CanvasInput* input_ = nullptr;
};

} // namespace kalvero::web
