#include "shell/commands/EpaSaving.h"

#include "document/EpaFormat.h"
#include "document/FileIo.h"
#include "document/FileNames.h"
#include "shell/Dialogs.h"
#include "shell/Form1Controls.h"
#include "shell/PicturePreview.h"
#include "shell/commands/CommandContext.h"

#include <QPushButton>

namespace kalvero {
namespace {

const QString NoEpaName = QStringLiteral("*.epa");

FileDialogRequest SaveDialog(const CommandContext& context, const std::string& proposed) {
    FileDialogRequest request;
    request.filter = CommandContext::Text(EpaDialogFilter(context.language()));
    request.filterIndex = 1;
    request.initialName = proposed.empty() ? NoEpaName : CommandContext::Text(proposed);
    request.confirmOverwrite = true;
    return request;
}

// The path chosen in the dialog; nothing when it was cancelled or left
// without a name.
std::optional<std::string> ChosenName(const std::optional<QString>& chosen) {
    if (!chosen || chosen->isEmpty() || *chosen == NoEpaName) {
        return std::nullopt;
    }
    return chosen->toStdString();
}

} // namespace

void EpaSaving::SichEpa_Command_Click() {
    LogoDocument& document = context_.document;
    Form1Controls& ui = context_.ui;
    if (document.EpaFileName().empty() && !document.EpaFromBmp()) {
        return;
    }
    if (document.EpaFileName().empty()) {
        document.tookDefaultName();
    }

    const std::optional<QString> chosen =
        context_.dialogs.saveFile(SaveDialog(context_, document.EpaFileName()));
    if (!chosen) {
        document.forgotFileName();
        context_.showEpaName({});
        ui.SichEpa_Command->setEnabled(false);
        return;
    }
    const std::optional<std::string> path = ChosenName(chosen);
    if (!path) {
        document.forgotFileName();
        return;
    }

    // Save EPA may replace the logo's own file, but no other input.
    if (const FileStatus allowed = context_.checkOutput(*path, {}); !allowed) {
        // Nothing was written: the logo stays, in memory only, to be saved
        // under another name.
        document.keptInMemoryOnly();
        context_.showEpaName({});
        ui.SichEpa_Command->setEnabled(true);
        context_.notice(FileNotSavedNotice(context_.language(), *path, allowed.error()));
        return;
    }
    const FileStatus saved = SaveEpaFile(document, PathFromUtf8(*path));
    if (!saved) {
        document.forgotFileName();
        document.leftBitmapLogo();
        document.forgotBitmap();
        context_.showEpaName({});
        ui.SichEpa_Command->setEnabled(false);
        ui.CreateEpa->setEnabled(false);
        context_.showBmpName({});
        ui.ShowBmp_image->removePicture();
        context_.notice(FileNotSavedNotice(context_.language(), *path, saved.error()));
        return;
    }
    document.saved(*path);
    ui.SichEpa_Command->setEnabled(false);
}

void EpaSaving::SaveEpa2() {
    LogoDocument& document = context_.document;
    Form1Controls& ui = context_.ui;
    const std::string openLogo = context_.openLogoFile();

    const std::optional<std::string> path = ChosenName(
        context_.dialogs.saveFile(SaveDialog(context_, DefaultEpaName(document.BmpFileName()))));
    if (!path) {
        // Cancelled: the image stays pending, so Create EPA offers the save again.
        document.forgotFileName();
        return;
    }

    if (const FileStatus allowed = context_.checkOutput(*path, openLogo); !allowed) {
        // Nothing was written: as after a cancel, Create EPA offers the save again.
        document.forgotFileName();
        context_.notice(FileNotSavedNotice(context_.language(), *path, allowed.error()));
        return;
    }
    const FileStatus saved = WriteFileAtomically(PathFromUtf8(*path), document.Epa2Data());
    // An EPA 2.0 file is not a logo the editor can show or save again: the
    // editor goes on without a current logo file.
    document.savedEpa2();
    ui.CreateEpa->setEnabled(false);
    if (!saved) {
        context_.notice(FileNotSavedNotice(context_.language(), *path, saved.error()));
    }
}

} // namespace kalvero
