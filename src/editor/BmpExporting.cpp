#include "editor/BmpExporting.h"

#include "conversion/BmpExport.h"
#include "document/FileIo.h"
#include "editor/CommandContext.h"
#include "editor/Dialogs.h"

namespace kalvero {

void BmpExporting::EpaToBmp_Click() {
    LogoDocument& document = context_.document;
    const std::string remembered = document.BmpFileName();
    FileDialogRequest request;
    request.filter = BmpDialogFilter(context_.language());
    request.initialName = remembered;
    // The export replaces a chosen file without asking.
    request.confirmOverwrite = false;
    const std::string path = context_.dialogs.saveFile(request).value_or(std::string());
    if (path.empty() || path == "*.bmp") {
        document.namedBitmap({});
        return;
    }
    document.namedBitmap(path);

    // The logo file is read again at every redraw, and the loaded bitmap is
    // the user's original: neither may become the export. A refusal writes
    // nothing and forgets nothing.
    if (const std::optional<MessageText> refused =
            context_.refusedOutput(path, context_.openLogoFile())) {
        document.namedBitmap(remembered);
        context_.notice(*refused);
    } else if (const FileStatus written =
                   WriteFileAtomically(PathFromUtf8(path), MonoBmpFromLogo(document));
               !written) {
        document.namedBitmap(std::string());
        context_.notice(FileNotSavedNotice(context_.language(), path, written.error()));
    }
}

} // namespace kalvero
