#include "WebView.h"

#include "CanvasPicture.h"
#include "PictureFile.h"
#include "document/LogoDocument.h"
#include "editor/EditorControls.h"

#include <emscripten.h>

namespace kalvero::web {
namespace {

EM_JS(void, PageShowControls,
      (int saveEnabled, int exportEnabled, int createEnabled, int negativeEnabled, int backup,
       int german, int messages, int negative, const char* epaName, const char* bmpName,
       int fullScreenVisible, int fullScreenEnabled, int fullScreenChecked),
      {
          Module.face.showControls({
              saveEnabled : !!saveEnabled,
              exportEnabled : !!exportEnabled,
              createEnabled : !!createEnabled,
              negativeEnabled : !!negativeEnabled,
              backup : !!backup,
              german : !!german,
              messages : !!messages,
              negative : !!negative,
              epaName : UTF8ToString(epaName),
              bmpName : UTF8ToString(bmpName),
              fullScreenVisible : !!fullScreenVisible,
              fullScreenEnabled : !!fullScreenEnabled,
              fullScreenChecked : !!fullScreenChecked
          });
      });

EM_JS(void, PageDrawCanvas,
      (const std::uint8_t* rgba, int width, int height, int fit, int canvasWidth, int canvasHeight),
      {
          Module.face.drawCanvas(HEAPU8.slice(rgba, rgba + 4 * width * height), width, height,
                                 !!fit, canvasWidth, canvasHeight);
      });

EM_JS(void, PageClearCanvas, (), { Module.face.clearCanvas(); });

EM_JS(int, PageShowBitmap, (const char* path),
      { return Module.face.showBitmap(UTF8ToString(path)) ? 1 : 0; });

EM_JS(void, PageRemoveBitmap, (), { Module.face.removeBitmap(); });

} // namespace

void WebView::showControls(const EditorControls& controls) {
    const bool fullScreen = document_ != nullptr && !document_->ImageFullScreen().empty();
    PageShowControls(controls.saveEnabled, controls.exportEnabled, controls.createEnabled,
                     controls.negativeEnabled, controls.backup, controls.german, controls.messages,
                     controls.negative, controls.epaName.c_str(), controls.bmpName.c_str(),
                     fullScreen, document_ != nullptr && document_->canSwitchLogo(),
                     document_ != nullptr && document_->showsFullScreen());
}

void WebView::clearCanvas() {
    PageClearCanvas();
}

void WebView::redrawCanvas() {
    if (document_ == nullptr) {
        return;
    }
    const CanvasPicture picture = PictureOfCanvas(*document_, *input_);
    PageDrawCanvas(picture.rgba.data(), picture.width, picture.height, picture.fit ? 1 : 0,
                   picture.canvasWidth, picture.canvasHeight);
}

bool WebView::showBitmap(const std::string& path) {
    return PageShowBitmap(path.c_str()) != 0;
}

void WebView::removeBitmap() {
    PageRemoveBitmap();
}

std::optional<RgbImage> WebView::decodePicture(const std::string& path) {
    return PictureBehindBitmap(path);
}

} // namespace kalvero::web
