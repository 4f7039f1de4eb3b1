#include "editor/BmpLoading.h"

#include "bios/LogoFitting.h"
#include "bios/LogoReplacer.h"
#include "conversion/BmpFormat.h"
#include "conversion/Epa2Image.h"
#include "conversion/FileKind.h"
#include "document/FileIo.h"
#include "document/FileNames.h"
#include "editor/CommandContext.h"
#include "editor/Dialogs.h"
#include "editor/EditorView.h"
#include "editor/EpaSaving.h"

#include <span>

namespace kalvero {

void BmpLoading::failed() {
    context_.controls.bmpName.clear();
    context_.document.forgotBitmap();
    context_.showControls();
}

void BmpLoading::LadeBmp_Command_Click() {
    loadBmp(std::nullopt);
}

void BmpLoading::LoadBmpFile(const std::string& path) {
    loadBmp(path);
}

void BmpLoading::dropBitmap() {
    context_.view.removeBitmap();
    context_.document.unloadedBitmap();
    context_.controls.createEnabled = false;
    context_.showControls();
}

bool BmpLoading::askFirst(bool& discard) {
    LogoDocument& document = context_.document;
    // Asked about a logo file, and about a logo made from a bitmap that was
    // never saved, which Create EPA would replace without a word.
    const bool named = !document.EpaFileName().empty() && document.EpaFileName() != "*.epa";
    const bool unsaved = document.EpaFromBmp() && context_.controls.saveEnabled;
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
    // The full-screen logo takes a bitmap of its own size, and gives nothing
    // up for it: the boot logo stays as it is.
    const bool fullScreen = document.showsFullScreen();
    bool discard = false;
    if (!fullScreen && !askFirst(discard)) {
        return;
    }
    dropBitmap();

    const bool anyPicture = fullScreen || document.showsImageEpa2();
    const Language language = context_.language();
    const std::string path =
        given
            ? *given
            : context_.chooseFileToOpen(
                  anyPicture ? PictureDialogFilter(language) : BmpDialogFilter(language), "*.bmp");
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
    if (fullScreen) {
        loadFullScreenBmp(path, length.value());
    } else {
        loadBootBmp(path, length.value(), discard);
    }
}

void BmpLoading::refused(const MessageText& notice) {
    context_.notice(notice);
    context_.controls.bmpName.clear();
    context_.showControls();
}

std::optional<std::vector<std::uint8_t>> BmpLoading::readShown(const std::string& path,
                                                               std::uint64_t length) {
    FileResult<std::vector<std::uint8_t>> bytes =
        ReadFileExactly(PathFromUtf8(path), static_cast<std::size_t>(length));
    if (!bytes || !context_.view.showBitmap(path)) {
        failed();
        if (!bytes) {
            context_.notice(FileNotOpenedNotice(context_.language(), path, bytes.error()));
        }
        return std::nullopt;
    }
    context_.controls.bmpName = FileTitle(path);
    return std::move(bytes).value();
}

void BmpLoading::loadFullScreenBmp(const std::string& path, std::uint64_t length) {
    LogoDocument& document = context_.document;
    const FileKind screen =
        ClassifyFile(document.ImageFullScreen().size(), document.ImageFullScreen());
    const std::uint64_t needed = ColourBmpLength(screen.width, screen.height);
    if (length != needed) {
        loadPicture(path, true,
                    FullScreenBmpRefusal(context_.language(), FileTitle(path), length, screen.width,
                                         screen.height, needed));
        return;
    }
    const std::optional<std::vector<std::uint8_t>> file = readShown(path, length);
    if (!file) {
        return;
    }
    document.loadedColourBitmap(
        FullScreenFromColourBmp(*file, screen.width, screen.height, screen.ownPalette), true);
    context_.controls.createEnabled = true;
    context_.showControls();
}

void BmpLoading::loadBootBmp(const std::string& path, std::uint64_t length, bool discard) {
    LogoDocument& document = context_.document;
    EditorControls& controls = context_.controls;
    const BmpKind kind = ClassifyBmpSize(length);
    // The image's EPA 2.0 logo takes a 16-colour bitmap of its size as it
    // is, and any other picture made into it.
    const std::vector<std::uint8_t>& shown = document.ImageEpa2();
    if (document.showsImageEpa2() &&
        (!IsColourBmp(kind) ||
         IsTallBmp(kind) != (ClassifyFile(shown.size(), shown).height == TallLogoHeight))) {
        if (loadPicture(path, false, BmpRefusalFor(context_.language(), FileTitle(path), length)) &&
            discard) {
            giveUpLogoFile();
        }
        return;
    }
    if (kind == BmpKind::NotAccepted) {
        refused(BmpRefusalFor(context_.language(), FileTitle(path), length));
        return;
    }
    const std::optional<std::vector<std::uint8_t>> bytes = readShown(path, length);
    if (!bytes) {
        return;
    }
    // Answered No, the logo is given up only now that a bitmap is there to
    // take its place: a cancelled or refused load leaves it on the canvas.
    if (discard) {
        giveUpLogoFile();
    }
    controls.exportEnabled = false;
    context_.view.clearCanvas();
    const std::span<const std::uint8_t> file = *bytes;
    if (IsColourBmp(kind)) {
        document.loadedColourBitmap(BuildEpa2Data(file.subspan(BmpPaletteOffset, BmpPaletteLength),
                                                  file.subspan(ColourBmpPixelOffset),
                                                  IsTallBmp(kind)),
                                    IsTallBmp(kind));
    } else {
        // Kept apart from TallLogo: the logo on the canvas keeps its own size
        // until Create EPA really replaces it.
        document.loadedMonoBitmap(*bytes, IsTallBmp(kind));
        controls.negativeEnabled = true;
    }
    controls.createEnabled = true;
    context_.showControls();
}

void BmpLoading::giveUpLogoFile() {
    context_.document.forgotFileName();
    context_.controls.epaName.clear();
    context_.controls.saveEnabled = false;
    context_.showControls();
}

bool BmpLoading::loadPicture(const std::string& path, bool fullScreen,
                             const MessageText& undecodable) {
    LogoDocument& document = context_.document;
    const std::optional<RgbImage> picture = context_.view.decodePicture(path);
    if (!picture) {
        refused(undecodable);
        return false;
    }
    const auto place = fullScreen ? bios::LogoPlace::FullScreen : bios::LogoPlace::Boot;
    const FileResult<bios::LogoSlot> slot = bios::FindLogoSlot(document.ImageData(), place);
    const FileResult<ImportSettings> settings =
        slot ? bios::SettingsForLogo(slot.value().kind, ImportSettings{}) : slot.error();
    const FileResult<bios::FittedLogo> fitted =
        settings ? bios::FitLogo(*picture, settings.value(), slot.value().packedRoom, true)
                 : settings.error();
    if (!fitted || !context_.view.showBitmap(path)) {
        failed();
        if (!fitted) {
            context_.notice(
                PictureNotMadeNotice(context_.language(), FileTitle(path), fitted.error().reason));
        }
        return false;
    }
    context_.controls.bmpName = FileTitle(path);
    if (!fullScreen) {
        context_.controls.exportEnabled = false;
        context_.view.clearCanvas();
    }
    const bool tall = fullScreen || slot.value().kind.height == TallLogoHeight;
    document.loadedColourBitmap(fitted.value().logo, tall);
    context_.controls.createEnabled = true;
    context_.showControls();
    if (!fitted.value().note.empty()) {
        context_.notice(
            PictureFittedNotice(context_.language(), FileTitle(path), fitted.value().note));
    }
    return true;
}

} // namespace kalvero
