#include "editor/QemuBooting.h"

#include "document/FileNames.h"
#include "editor/QemuTexts.h"
#include "editor/Dialogs.h"

#include <algorithm>

namespace kalvero {
namespace {

// No Award image is larger; a longer file is refused unread by the core.
constexpr std::uint64_t MaxImageLength = 1024 * 1024;

} // namespace

std::string QemuBooting::target() const {
    const std::string& open = context_.document.ImageFileName();
    if (!open.empty() && !context_.newImage.empty() && context_.newImageSource == open) {
        return context_.newImage;
    }
    return open;
}

std::string QemuBooting::caption(Language language) const {
    return BootInQemuCaption(language, !qemuMissing_.empty());
}

void QemuBooting::boot() {
    const std::string path = target();
    if (path.empty()) {
        return;
    }
    const Language language = context_.language();
    if (!qemuMissing_.empty()) {
        context_.notice(QemuUnusableNotice(language, qemuMissing_));
        return;
    }
    const FileResult<std::uint64_t> length = FileLength(PathFromUtf8(path));
    FileResult<std::vector<std::uint8_t>> image =
        !length
            ? FileResult<std::vector<std::uint8_t>>(length.error())
            : ReadFileExactly(PathFromUtf8(path),
                              static_cast<std::size_t>(std::min(length.value(), MaxImageLength)));
    if (!image) {
        context_.notice(FileNotOpenedNotice(language, path, image.error()));
        return;
    }
    BootOutcome outcome =
        context_.dialogs.bootImage({path, std::move(image).value(), BootingText(language, path)});
    switch (outcome.verdict) {
    case BootVerdict::Cancelled:
        return;
    case BootVerdict::QemuUnusable:
        context_.notice(QemuUnusableNotice(
            language, outcome.report.empty() ? std::string() : outcome.report.front()));
        return;
    case BootVerdict::Drawn:
    case BootVerdict::NotDrawn:
        break;
    }
    context_.dialogs.showBootScreen(
        {FileTitle(path), BootVerdictText(language, outcome.verdict == BootVerdict::Drawn),
         std::move(outcome.report), outcome.screen ? std::move(*outcome.screen) : RgbImage{}});
}

} // namespace kalvero
