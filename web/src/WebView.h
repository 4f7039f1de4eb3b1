#pragma once

#include "editor/EditorView.h"

namespace kalvero {
class LogoDocument;
}

namespace kalvero::web {

// Draws the session on the page: the controls, the canvas and the preview of
// the loaded bitmap, through the page's script.
class WebView final : public EditorView {
public:
    void attach(const LogoDocument& document) { document_ = &document; }
    // The grid check box: cells one pixel apart with the grid shown.
    void setGridShown(bool shown) { gridShown_ = shown; }
    bool gridShown() const { return gridShown_; }

    void showControls(const EditorControls& controls) override;
    void clearCanvas() override;
    void redrawCanvas() override;
    bool showBitmap(const std::string& path) override;
    void removeBitmap() override;
    // Only a picture the browser decoded (PictureBehindBitmap).
    std::optional<RgbImage> decodePicture(const std::string& path) override;

private:
    const LogoDocument* document_ = nullptr;
    bool gridShown_ = true;
};

} // namespace kalvero::web
