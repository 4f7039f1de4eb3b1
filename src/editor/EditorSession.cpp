#include "editor/EditorSession.h"

#include "bios/FullScreenShow.h"
#include "conversion/BootView.h"
#include "conversion/FileKind.h"
#include "document/EpaFormat.h"
#include "document/FileNames.h"
#include "editor/Dialogs.h"
#include "editor/EditorView.h"

namespace kalvero {

EditorSession::EditorSession(Dialogs& dialogs, EditorView& view)
    : context_(document_, view, dialogs), saving_(context_), opening_(context_, saving_),
      bmpLoading_(context_, saving_), creation_(context_, saving_), exporting_(context_),
      painting_(context_), booting_(context_) {}

void EditorSession::loadDroppedFile(const std::string& path) {
    if (HasBmpExtension(path)) {
        bmpLoading_.LoadBmpFile(path);
    } else {
        opening_.LoadEpaFile(path);
    }
}

void EditorSession::switchImageLogo() {
    if (document_.canSwitchLogo()) {
        // A bitmap loaded for one logo is not made into the other.
        if (context_.controls.createEnabled) {
            bmpLoading_.dropBitmap();
            context_.controls.bmpName.clear();
        }
        document_.showedFullScreen(!document_.showsFullScreen());
        // Erased first: the full-screen picture covers pixels the logo leaves.
        context_.view.clearCanvas();
        context_.view.redrawCanvas();
    }
    context_.showControls();
}

bool EditorSession::mayExit() {
    if (!context_.controls.messages || !context_.controls.saveEnabled) {
        return true;
    }
    // Cancel, or a save that did not happen, keeps the program running.
    const std::string name = document_.NameToSave();
    const int answer = context_.askSaveFirst(name, true);
    return answer != AnswerCancel && (answer != AnswerYes || saving_.save(name));
}

bool EditorSession::unsaved() const {
    return context_.controls.messages && context_.controls.saveEnabled && document_.edited();
}

std::vector<std::uint8_t> EditorSession::bootViewLogo() const {
    if (document_.showsFullScreen()) {
        return document_.ImageFullScreen();
    }
    if (document_.showsImageEpa2()) {
        return document_.ImageEpa2();
    }
    if (!document_.hasLogo()) {
        return {};
    }
    LogoDocument logo = document_; // the file a save would write
    return WriteEpa(logo);
}

std::optional<RgbImage> EditorSession::bootView() const {
    const std::vector<std::uint8_t> epa = bootViewLogo();
    if (epa.empty()) {
        return std::nullopt;
    }
    const FileKind kind =
        ClassifyFile(epa.size(), std::span(epa).first(std::min(epa.size(), FileHeadLength)));
    // The image's BIOS may show the whole full-screen logo, with no text.
    bool bottomLine = true;
    if (document_.showsFullScreen()) {
        const FileResult<bios::ImageInspection> image =
            bios::InspectAwardImage(document_.ImageData());
        bottomLine =
            !image || bios::FullScreenShowOf(image.value()) != bios::FullScreenShow::WholeLogo;
    }
    FileResult<RgbImage> screen = RenderBootView(kind, epa, 1, true, bottomLine);
    return screen ? std::optional<RgbImage>(std::move(screen).value()) : std::nullopt;
}

} // namespace kalvero
