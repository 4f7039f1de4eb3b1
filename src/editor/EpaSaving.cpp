#include "editor/EpaSaving.h"

#include "document/EpaFormat.h"
#include "document/FileIo.h"
#include "document/FileNames.h"
#include "document/ImageNames.h"
#include "editor/BiosImage.h"
#include "editor/CommandContext.h"
#include "editor/Dialogs.h"
#include "editor/EditorView.h"

namespace kalvero {
namespace {

const std::string NoEpaName = "*.epa";

// With a BIOS image open, the dialog offers a new image first, beside the
// opened one, and EPA files second.
// With an image open, the replace question comes after the check that the
// name is not the image's (chooseTarget), so the dialog does not ask it.
FileDialogRequest SaveDialog(const CommandContext& context, const std::string& proposed) {
    FileDialogRequest request;
    const std::string& image = context.document.ImageFileName();
    request.confirmOverwrite = image.empty();
    if (image.empty()) {
        request.filter = EpaDialogFilter(context.language());
        request.initialName = proposed.empty() ? NoEpaName : proposed;
        return request;
    }
    const std::string name = proposed.empty() || proposed == image ? NewImageName(image) : proposed;
    request.filter = ImageSaveFilter(context.language());
    request.filterIndex = SavesJustTheLogo(name, image, false) ? ImageSaveEpaFilter : 1;
    request.initialName = name;
    return request;
}

// The path chosen in the dialog; nothing when it was cancelled or left
// without a name.
std::optional<std::string> ChosenName(const std::optional<std::string>& chosen) {
    if (!chosen || chosen->empty() || *chosen == NoEpaName) {
        return std::nullopt;
    }
    return chosen;
}

// Whether the choice in the dialog makes a new image of the open one.
bool SavesImage(const CommandContext& context, const std::string& path,
                const FileDialogRequest& request) {
    const std::string& image = context.document.ImageFileName();
    return !image.empty() &&
           !SavesJustTheLogo(path, image, request.filterIndex == ImageSaveEpaFilter);
}

} // namespace

void EpaSaving::SichEpa_Command_Click() {
    const LogoDocument& document = context_.document;
    save(document.EpaFileName().empty() ? document.NameToSave() : document.EpaFileName());
}

bool EpaSaving::save(const std::string& proposed) {
    LogoDocument& document = context_.document;
    if (!document.hasLogo()) {
        return false;
    }
    FileDialogRequest request = SaveDialog(context_, proposed);
    const std::optional<std::string> path = chooseTarget(request);
    if (!path) {
        return false;
    }
    const bool image = SavesImage(context_, *path, request);
    if (!(image ? writeImage(*path, WriteEpa(document), false) : writeLogo(*path))) {
        return false;
    }
    if (!image && !document.ImageFileName().empty()) {
        context_.notice(LogoOnlySavedNotice(context_.language(), *path));
    }
    document.saved(*path);
    context_.controls.saveEnabled = false;
    context_.showControls();
    return true;
}

std::optional<std::string> EpaSaving::chooseTarget(FileDialogRequest& request) {
    for (;;) {
        const std::optional<std::string> path = ChosenName(context_.dialogs.saveFile(request));
        if (!path || refusedAsOpenImage(*path)) {
            return std::nullopt;
        }
        std::error_code error;
        if (request.confirmOverwrite || !std::filesystem::exists(PathFromUtf8(*path), error)) {
            return path;
        }
        const int answer =
            context_.dialogs.message({MessageIcon::Question, MessageButtons::YesNo, QuestionTitle,
                                      ReplaceQuestion(context_.language(), *path)});
        if (answer != AnswerNo) {
            return answer == AnswerYes ? path : std::nullopt;
        }
        // Answered No, the dialog comes again, as a file dialog stays open.
        request.initialName = *path;
    }
}

bool EpaSaving::refusedAsOpenImage(const std::string& path) {
    const std::string& image = context_.document.ImageFileName();
    if (image.empty() || !SameFile(PathFromUtf8(path), PathFromUtf8(image))) {
        return false;
    }
    context_.notice(ImageIsOpenNotice(context_.language(), path));
    return true;
}

bool EpaSaving::writeLogo(const std::string& path) {
    // Save EPA may replace the logo's own file, but no other input.
    if (const std::optional<MessageText> refused = context_.refusedOutput(path, {})) {
        context_.notice(*refused);
        return false;
    }
    const FileStatus written = SaveEpaFile(context_.document, PathFromUtf8(path));
    if (!written) {
        context_.notice(FileNotSavedNotice(context_.language(), path, written.error()));
    }
    return written.ok();
}

bool EpaSaving::writeImage(const std::string& path, std::span<const std::uint8_t> logo,
                           bool fullScreen) {
    const Language language = context_.language();
    if (const std::optional<MessageText> refused = context_.refusedOutput(path, {})) {
        context_.notice(*refused);
        return false;
    }
    // The other logo goes in as the editor holds it, so that no change made
    // to it is missing from the new image; a version-1 logo only when it was
    // changed, since the bytes saved of it may differ from the image's own.
    LogoDocument& document = context_.document;
    const std::vector<std::uint8_t> boot = !fullScreen           ? std::vector<std::uint8_t>()
                                           : !document.hasLogo() ? document.ImageEpa2()
                                           : document.edited()   ? WriteEpa(document)
                                                                 : std::vector<std::uint8_t>();
    const FileResult<NewImage> image = ImageWithLogo(
        document.ImageData(), logo, fullScreen, fullScreen ? boot : document.ImageFullScreen());
    if (!image) {
        context_.notice(ImageNotWrittenNotice(language, path, image.error().reason));
        return false;
    }
    if (const FileStatus written = WriteFileAtomically(PathFromUtf8(path), image.value().bytes);
        !written) {
        context_.notice(FileNotSavedNotice(language, path, written.error()));
        return false;
    }
    context_.newImage = path;
    context_.newImageSource = document.ImageFileName();
    context_.notice(ImageSavedNotice(language, path, image.value().checks, image.value().note));
    return true;
}

void EpaSaving::imageWritten(const std::string& path) {
    LogoDocument& document = context_.document;
    document.replacedImageLogo();
    // The new image holds the boot logo as it is in the editor, too.
    if (document.hasLogo()) {
        document.saved(path);
        context_.controls.saveEnabled = false;
    }
    context_.controls.createEnabled = false;
    context_.showControls();
    context_.view.redrawCanvas();
}

void EpaSaving::SaveEpa2() {
    LogoDocument& document = context_.document;
    const std::string openLogo = context_.openLogoFile();
    FileDialogRequest request = SaveDialog(context_, document.ImageFileName().empty()
                                                         ? DefaultEpaName(document.BmpFileName())
                                                         : std::string());
    const std::optional<std::string> path = chooseTarget(request);
    // The design gives up the current name where the save is not made; the
    // logo of an open BIOS image stays.
    const auto forgetName = [&document] {
        if (document.ImageFileName().empty()) {
            document.forgotFileName();
        }
    };
    // Not written: the image stays pending, so Create EPA offers the save again.
    if (!path) {
        forgetName();
        return;
    }
    if (SavesImage(context_, *path, request)) {
        if (writeImage(*path, document.Epa2Data(), document.showsFullScreen())) {
            imageWritten(*path);
        }
        return;
    }
    if (const std::optional<MessageText> refused = context_.refusedOutput(*path, openLogo)) {
        forgetName();
        context_.notice(*refused);
        return;
    } else if (const FileStatus saved =
                   WriteFileAtomically(PathFromUtf8(*path), document.Epa2Data());
               !saved) {
        // Still pending: Create EPA offers the save again.
        context_.notice(FileNotSavedNotice(context_.language(), *path, saved.error()));
        return;
    }
    document.savedEpa2();
    context_.controls.createEnabled = false;
    context_.showControls();
}

} // namespace kalvero
