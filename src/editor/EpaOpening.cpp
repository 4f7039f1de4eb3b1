#include "editor/EpaOpening.h"

#include "document/EpaFormat.h"
#include "document/FileIo.h"
#include "document/FileNames.h"
#include "editor/BiosImage.h"
#include "editor/CommandContext.h"
#include "editor/Dialogs.h"
#include "editor/EditorView.h"
#include "editor/EpaSaving.h"

namespace kalvero {
namespace {

bool IsLogoLength(std::uint64_t length) {
    const EpaLengthClass kind = ClassifyEpaLength(length);
    return kind == EpaLengthClass::ShortLogo || kind == EpaLengthClass::TallLogo;
}

struct OpenedFile {
    std::uint64_t length = 0;
    // The whole file when it is a logo or may be an image, else its first bytes.
    std::vector<std::uint8_t> bytes;
};

// Checks that the file is there and readable, and gives its length. Reading
// never creates a file, so a name typed into the dialog that does not exist
// is reported here. A logo or image is read whole, so that a file that
// changed since its length was taken is reported rather than shown half.
FileResult<OpenedFile> ReadFile(const std::string& path) {
    const std::filesystem::path file = PathFromUtf8(path);
    const FileResult<std::uint64_t> length = FileLength(file);
    if (!length) {
        return length.error();
    }
    const bool whole = IsLogoLength(length.value()) || MayBeBiosImage(length.value());
    FileResult<std::vector<std::uint8_t>> bytes =
        whole ? ReadFileExactly(file, static_cast<std::size_t>(length.value()))
              : ReadFilePrefix(file, ImageHeadLength());
    if (!bytes) {
        return bytes.error();
    }
    return OpenedFile{length.value(), std::move(bytes).value()};
}

} // namespace

bool EpaOpening::backupIfWanted(const std::string& path) {
    if (!context_.controls.backup) {
        return true;
    }
    // A user who wants a copy before editing does not get the file opened
    // without one.
    const auto backup = context_.dialogs.makeBackup(path);
    if (!backup) {
        context_.notice(BackupFailedNotice(context_.language(), path, backup.error()));
    }
    return backup.ok();
}

void EpaOpening::LadeEpa_Command_Click() {
    loadEpa(std::nullopt);
}

void EpaOpening::LoadEpaFile(const std::string& path) {
    loadEpa(path);
}

void EpaOpening::loadEpa(const std::optional<std::string>& given) {
    LogoDocument& document = context_.document;
    if (document.EpaFromBmp() || (!document.EpaFileName().empty() && !document.OpenPending())) {
        const std::string name = document.NameToSave();
        if (context_.askSaveFirst(name) == AnswerYes) {
            // The user starts Load EPA again once the logo is saved.
            saving_.save(name);
            return;
        }
    }
    // Answered No, the logo is given up only for another one: a cancelled
    // dialog or a refused file leave it as it was.
    const std::string path =
        given ? *given : context_.chooseFileToOpen(OpenDialogFilter(context_.language()), "*.epa");
    if (path.empty() || path == "*.epa") {
        return;
    }
    open(path, Epa2NoticeLoadEpa);
}

bool EpaOpening::open(const std::string& path, Epa2Wording epa2Notice) {
    const Language language = context_.language();
    const FileResult<OpenedFile> file = ReadFile(path);
    if (!file) {
        context_.notice(FileNotOpenedNotice(language, path, file.error()));
        return false;
    }
    const std::uint64_t length = file.value().length;
    Reason bootProblem; // of an image opened with its full-screen logo only
    if (IsLogoLength(length)) {
        if (const auto problem = Version1CountsProblem(length, file.value().bytes)) {
            context_.notice(
                FileNotOpenedNotice(language, path, {FileProblem::NotAccepted, *problem}));
            return false;
        }
        if (!backupIfWanted(path)) {
            return false;
        }
        context_.document.openedFile(path, file.value().bytes);
    } else if (ClassifyEpaLength(length) == EpaLengthClass::Version2) {
        context_.notice(epa2Notice(language, FileTitle(path)));
        return false;
    } else if (MayBeBiosImage(length)) {
        FileResult<ImageLogos> image = LogosOfImage(file.value().bytes);
        if (!image) {
            context_.notice(ImageNotOpenedNotice(language, path, image.error().reason));
            return false;
        }
        ImageLogos logos = std::move(image).value();
        LogoDocument& document = context_.document;
        document.openedImage(path, file.value().bytes);
        if (logos.boot.epa2) {
            document.foundBootEpa2(std::move(logos.boot.logo), logos.boot.tall);
        } else if (!logos.boot.logo.empty()) {
            document.foundBootLogo(logos.boot.logo);
        }
        document.foundFullScreen(std::move(logos.fullScreen));
        bootProblem = std::move(logos.bootProblem);
    } else if (const std::optional<Reason> cut = ImageCutShort(length, file.value().bytes)) {
        context_.notice(ImageNotOpenedNotice(language, path, *cut));
        return false;
    } else {
        context_.notice(WrongEpaLengthNotice(language, length));
        return false;
    }
    showOpened(path);
    if (!bootProblem.empty()) {
        context_.notice(BootLogoNotShownNotice(language, path, bootProblem));
    }
    return true;
}

void EpaOpening::showOpened(const std::string& path) {
    EditorControls& controls = context_.controls;
    const bool logo = context_.document.hasLogo();
    controls.epaName = FileTitle(path);
    controls.saveEnabled = logo;
    controls.exportEnabled = logo;
    context_.showControls();
    context_.view.clearCanvas();
    context_.view.redrawCanvas();
}

void EpaOpening::OpenCommandLineFile() {
    LogoDocument& document = context_.document;
    if (!document.OpenPending()) {
        return;
    }
    // Cleared first: the notices below must not let a re-activation open it again.
    document.commandLineOpenRan();
    if (!open(document.CommandLineFile(), Epa2NoticeCommandLine)) {
        document.droppedLogo();
    }
}

} // namespace kalvero
