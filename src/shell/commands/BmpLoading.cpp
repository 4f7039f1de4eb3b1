#include "shell/commands/BmpLoading.h"

#include "canvas/LogoCanvas.h"
#include "conversion/BmpFormat.h"
#include "conversion/Epa2Image.h"
#include "conversion/FileKind.h"
#include "document/FileIo.h"
#include "document/FileNames.h"
#include "shell/Dialogs.h"
#include "shell/Form1Controls.h"
#include "shell/PicturePreview.h"
#include "shell/SizingLabel.h"
#include "shell/commands/CommandContext.h"
#include "shell/commands/EpaSaving.h"

#include <QCheckBox>
#include <QPushButton>
#include <span>

namespace kalvero {

void BmpLoading::failed() {
    context_.showBmpName({});
    context_.document.forgotBitmap();
}

void BmpLoading::LadeBmp_Command_Click() {
    loadBmp(std::nullopt);
}

void BmpLoading::LoadBmpFile(const std::string& path) {
    loadBmp(path);
}

void BmpLoading::dropBitmap() {
    context_.ui.ShowBmp_image->removePicture();
    context_.document.unloadedBitmap();
    context_.ui.CreateEpa->setEnabled(false);
}

bool BmpLoading::askFirst(bool& discard) {
    LogoDocument& document = context_.document;
    // Asked about a logo file, and about a logo made from a bitmap that was
    // never saved, which Create EPA would replace without a word.
    const bool named = !document.EpaFileName().empty() && document.EpaFileName() != "*.epa";
    const bool unsaved = document.EpaFromBmp() && context_.ui.SichEpa_Command->isEnabled();
    if (!named && !unsaved) {
        return true;
    }
    const std::string name = named ? document.EpaFileName() : document.NameToSave();
    if (context_.askSaveFirst(name) == AnswerYes) {
        // A save that did not happen stops the command: nothing is lost.
        return saving_.save(name);
    }
    discard = named;
    return true;
}

void BmpLoading::loadBmp(const std::optional<std::string>& given) {
    LogoDocument& document = context_.document;
    Form1Controls& ui = context_.ui;
    // The full-screen logo takes a bitmap of its own size, and gives nothing
    // up for it: the boot logo stays as it is.
    const bool fullScreen = document.showsFullScreen();
    bool discard = false;
    if (!fullScreen && !askFirst(discard)) {
        return;
    }
    dropBitmap();

    const std::string path = given ? *given
                                   : context_.chooseFileToOpen(BmpDialogFilter(context_.language()),
                                                               QStringLiteral("*.bmp"));
    if (path.empty() || path == "*.bmp") {
        failed();
        return;
    }
    document.choseBitmap(path);

    const FileResult<std::uint64_t> length = FileLength(PathFromUtf8(path));
    if (!length) {
        failed();
        context_.notice(FileNotOpenedNotice(context_.language(), path, length.error()));
        return;
    }
    const FileKind screen =
        fullScreen ? ClassifyFile(document.ImageFullScreen().size(), document.ImageFullScreen())
                   : FileKind();
    const std::uint64_t needed = ColourBmpLength(screen.width, screen.height);
    const BmpKind kind = ClassifyBmpSize(length.value());
    if (fullScreen ? length.value() != needed : kind == BmpKind::NotAccepted) {
        const Language language = context_.language();
        context_.notice(fullScreen ? FullScreenBmpRefusal(language, FileTitle(path), length.value(),
                                                          screen.width, screen.height, needed)
                                   : BmpRefusalFor(language, FileTitle(path), length.value()));
        context_.showBmpName({});
        return;
    }
    const FileResult<std::vector<std::uint8_t>> bytes =
        ReadFileExactly(PathFromUtf8(path), static_cast<std::size_t>(length.value()));
    if (!bytes || !ui.ShowBmp_image->showFile(CommandContext::Text(path))) {
        failed();
        if (!bytes) {
            context_.notice(FileNotOpenedNotice(context_.language(), path, bytes.error()));
        }
        return;
    }
    ui.BmpNameAnzeige->move(ui.BmpNameAnzeige->x(),
                            ui.ShowBmp_image->y() + ui.ShowBmp_image->height() + 1);
    context_.showBmpName(FileTitle(path));
    // Answered No, the logo is given up only now that a bitmap is there to
    // take its place: a cancelled or refused load leaves it on the canvas.
    if (discard) {
        document.forgotFileName();
        context_.showEpaName({});
        ui.SichEpa_Command->setEnabled(false);
    }

    const std::span<const std::uint8_t> file = bytes.value();
    if (fullScreen) {
        document.loadedColourBitmap(FullScreenFromColourBmp(file, screen.width, screen.height),
                                    true);
        ui.CreateEpa->setEnabled(true);
        return;
    }
    ui.EpaToBmp->setEnabled(false);
    ui.Picture1->clear();
    if (IsColourBmp(kind)) {
        document.loadedColourBitmap(BuildEpa2Data(file.subspan(BmpPaletteOffset, BmpPaletteLength),
                                                  file.subspan(ColourBmpPixelOffset),
                                                  IsTallBmp(kind)),
                                    IsTallBmp(kind));
    } else {
        // Kept apart from TallLogo: the logo on the canvas keeps its own size
        // until Create EPA really replaces it.
        document.loadedMonoBitmap(bytes.value(), IsTallBmp(kind));
        ui.InversCheck->setEnabled(true);
    }
    ui.CreateEpa->setEnabled(true);
}

} // namespace kalvero
