#include "shell/commands/EpaOpening.h"

#include "canvas/LogoCanvas.h"
#include "canvas/LogoEditor.h"
#include "document/Backup.h"
#include "document/EpaFormat.h"
#include "document/FileIo.h"
#include "document/FileNames.h"
#include "shell/Dialogs.h"
#include "shell/Form1Controls.h"
#include "shell/PicturePreview.h"
#include "shell/commands/CommandContext.h"
#include "shell/commands/EpaSaving.h"

#include <QCheckBox>
#include <QPushButton>

namespace kalvero {
namespace {

bool IsLogoLength(std::uint64_t length) {
    const EpaLengthClass kind = ClassifyEpaLength(length);
    return kind == EpaLengthClass::ShortLogo || kind == EpaLengthClass::TallLogo;
}

// Checks that the file is there and readable, and gives its length. Reading
// never creates a file, so a name typed into the dialog that does not exist
// is reported here. A logo is read whole, so that a file that changed since
// its length was taken is reported rather than shown half.
FileResult<std::uint64_t> OpenableLength(const std::string& path) {
    const std::filesystem::path file = PathFromUtf8(path);
    FileResult<std::uint64_t> length = FileLength(file);
    if (length) {
        const FileResult<std::vector<std::uint8_t>> readable =
            IsLogoLength(length.value())
                ? ReadFileExactly(file, static_cast<std::size_t>(length.value()))
                : ReadFilePrefix(file, 1);
        if (!readable) {
            return readable.error();
        }
    }
    return length;
}

} // namespace

bool EpaOpening::backupIfWanted(const std::string& path) {
    if (!context_.ui.Backup->isChecked()) {
        return true;
    }
    // A user who wants a copy before editing does not get the file opened
    // without one.
    const auto backup = MakeBackup(path);
    if (!backup) {
        context_.notice(BackupFailedNotice(context_.language(), path, backup.error()));
    }
    return backup.ok();
}

void EpaOpening::resetAfterError() {
    LogoDocument& document = context_.document;
    Form1Controls& ui = context_.ui;
    ui.SichEpa_Command->setEnabled(false);
    ui.EpaToBmp->setEnabled(false);
    ui.ShowBmp_image->removePicture();
    document.forgotFileName();
    document.forgotBitmap();
    document.leftBitmapLogo();
    context_.showBmpName({});
    context_.showEpaName({});
}

void EpaOpening::LadeEpa_Command_Click() {
    loadEpa(std::nullopt);
}

void EpaOpening::LoadEpaFile(const std::string& path) {
    loadEpa(path);
}

void EpaOpening::loadEpa(const std::optional<std::string>& given) {
    LogoDocument& document = context_.document;
    Form1Controls& ui = context_.ui;

    if (document.EpaFromBmp() || (!document.EpaFileName().empty() && !document.OpenPending())) {
        document.tookDefaultName();
        const bool save = context_.askSaveFirst();
        document.leftBitmapLogo();
        if (save) {
            // The user starts Load EPA again once the logo is saved.
            saving_.SichEpa_Command_Click();
            return;
        }
        context_.showEpaName({});
    }

    document.ClearLogo();
    ui.Picture1->clear();

    const std::string path = given ? *given
                                   : context_.chooseFileToOpen(EpaDialogFilter(context_.language()),
                                                               QStringLiteral("*.epa"));
    if (path.empty() || path == "*.epa") {
        document.forgotFileName();
        context_.showEpaName({});
        return;
    }

    const FileResult<std::uint64_t> length = OpenableLength(path);
    if (!length) {
        resetAfterError();
        context_.notice(FileNotOpenedNotice(context_.language(), path, length.error()));
        return;
    }
    if (IsLogoLength(length.value()) && !backupIfWanted(path)) {
        resetAfterError();
        return;
    }

    switch (ClassifyEpaLength(length.value())) {
    case EpaLengthClass::ShortLogo:
    case EpaLengthClass::TallLogo:
        document.openedFile(path, ClassifyEpaLength(length.value()) == EpaLengthClass::TallLogo);
        context_.showEpaName(FileTitle(path));
        ui.SichEpa_Command->setEnabled(true);
        ui.EpaToBmp->setEnabled(true);
        context_.editor.RedrawCanvas();
        return;
    case EpaLengthClass::Version2:
        context_.notice(Epa2NoticeLoadEpa(context_.language(), FileTitle(path)));
        break;
    case EpaLengthClass::NotAccepted:
        context_.notice(WrongEpaLengthNotice(context_.language(), length.value()));
        break;
    }
    document.forgotFileName();
}

void EpaOpening::OpenCommandLineFile() {
    LogoDocument& document = context_.document;
    Form1Controls& ui = context_.ui;
    if (!document.OpenPending()) {
        return;
    }
    // Cleared first: the notices below must not let a re-activation open it again.
    document.commandLineOpenRan();
    const std::string path = document.EpaFileName();

    const FileResult<std::uint64_t> length = OpenableLength(path);
    if (!length) {
        document.droppedLogo();
        context_.notice(FileNotOpenedNotice(context_.language(), path, length.error()));
        return;
    }
    const EpaLengthClass kind = ClassifyEpaLength(length.value());
    if (IsLogoLength(length.value())) {
        if (!backupIfWanted(path)) {
            document.droppedLogo();
            return;
        }
        document.openedFile(path, kind == EpaLengthClass::TallLogo);
        context_.showEpaName(FileTitle(document.CommandLineFile()));
        ui.EpaToBmp->setEnabled(true);
        ui.SichEpa_Command->setEnabled(true);
        context_.editor.RedrawCanvas();
        return;
    }
    document.droppedLogo();
    if (kind == EpaLengthClass::Version2) {
        context_.notice(Epa2NoticeCommandLine(context_.language(), FileTitle(path)));
    } else {
        context_.notice(WrongEpaLengthNotice(context_.language(), length.value()));
    }
}

} // namespace kalvero
