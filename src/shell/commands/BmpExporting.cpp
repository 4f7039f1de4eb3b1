#include "shell/commands/BmpExporting.h"

#include "conversion/BmpExport.h"
#include "document/FileIo.h"
#include "shell/Dialogs.h"
#include "shell/commands/CommandContext.h"

#include <filesystem>
#include <system_error>

namespace kalvero {
namespace {

// The logo on the canvas is read again from its file at every redraw: a
// bitmap written over that file would destroy the logo and show garbage.
bool IsOpenLogoFile(const LogoDocument& document, const std::string& path) {
    if (document.EpaFileName.empty() || document.EpaFromBmp) {
        return false;
    }
    std::error_code ec;
    return std::filesystem::equivalent(PathFromUtf8(document.EpaFileName), PathFromUtf8(path), ec);
}

} // namespace

void BmpExporting::EpaToBmp_Click() {
    LogoDocument& document = context_.document;
    FileDialogRequest request;
    request.filter = CommandContext::Text(BmpDialogFilter(context_.language()));
    request.initialName = CommandContext::Text(document.BmpFileName);
    // The export replaces a chosen file without asking.
    request.confirmOverwrite = false;
    const std::optional<QString> chosen = context_.dialogs.saveFile(request);
    document.BmpFileName = chosen ? chosen->toStdString() : std::string();
    if (document.BmpFileName.empty() || document.BmpFileName == "*.bmp") {
        document.BmpFileName.clear();
        return;
    }

    const FileStatus written =
        IsOpenLogoFile(document, document.BmpFileName)
            ? FileError{FileProblem::OpenLogo, "is the open logo file"}
            : WriteFileAtomically(PathFromUtf8(document.BmpFileName), MonoBmpFromLogo(document));
    if (!written) {
        const std::string path = document.BmpFileName;
        document.BmpFileName.clear();
        context_.notice(FileNotSavedNotice(context_.language(), path, written.error()));
    }
}

} // namespace kalvero
