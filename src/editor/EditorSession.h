#pragma once

#include "conversion/RgbImage.h"
#include "document/LogoDocument.h"
#include "editor/BmpExporting.h"
#include "editor/BmpLoading.h"
#include "editor/CanvasInput.h"
#include "editor/CommandContext.h"
#include "editor/EpaOpening.h"
#include "editor/EpaSaving.h"
#include "editor/LogoCreation.h"
#include "editor/LogoPainting.h"
#include "editor/QemuBooting.h"

#include <cstdint>
#include <optional>
#include <string>
#include <vector>

namespace kalvero {

// The editor without its face: the logo document, the controls beside the
// canvas, and every command, question and notice. The Qt window and the
// browser page each draw it and route the user's actions to it.
class EditorSession {
public:
    EditorSession(Dialogs& dialogs, EditorView& view);
    EditorSession(const EditorSession&) = delete;
    EditorSession& operator=(const EditorSession&) = delete;

    LogoDocument& document() { return document_; }
    const LogoDocument& document() const { return document_; }
    CommandContext& context() { return context_; }
    EditorControls& controls() { return context_.controls; }
    LogoPainting& painting() { return painting_; }
    CanvasInput& canvasInput() { return canvasInput_; }
    Language language() const { return context_.language(); }

    void LadeEpa_Command_Click() { opening_.LadeEpa_Command_Click(); }
    void SichEpa_Command_Click() { saving_.SichEpa_Command_Click(); }
    void LadeBmp_Command_Click() { bmpLoading_.LadeBmp_Command_Click(); }
    void CreateEpa_Click() { creation_.CreateEpa_Click(); }
    void EpaToBmp_Click() { exporting_.EpaToBmp_Click(); }
    // A file dropped on the window: a bitmap by its extension for Load BMP,
    // anything else for Load EPA, which tells a logo from a BIOS image by
    // the file's content.
    void loadDroppedFile(const std::string& path);
    // The file named on the command line, at the first activation.
    void openCommandLineFile() { opening_.OpenCommandLineFile(); }
    // The open image's full-screen logo in place of its boot logo on the
    // canvas, and back.
    void switchImageLogo();
    // The save-first question of the exit; false when the user goes on.
    bool mayExit();
    // Whether leaving would lose painting or a logo made from a bitmap that
    // was not saved, while the user wants to be asked (Messages).
    bool unsaved() const;
    // The EPA file of what the canvas shows, as the boot view draws it;
    // empty when there is nothing to show.
    std::vector<std::uint8_t> bootViewLogo() const;
    // That logo as the PC shows it at power-on (F5); nothing when there is
    // nothing to show.
    std::optional<RgbImage> bootView() const;
    // Boot in QEMU (F7): the image it boots, empty when none, and the entry's
    // caption.
    QemuBooting& qemuBooting() { return booting_; }

private:
    LogoDocument document_;
    CommandContext context_;
    EpaSaving saving_;
    EpaOpening opening_;
    BmpLoading bmpLoading_;
    LogoCreation creation_;
    BmpExporting exporting_;
    LogoPainting painting_;
    QemuBooting booting_;
    CanvasInput canvasInput_{document_, painting_};
};

} // namespace kalvero
