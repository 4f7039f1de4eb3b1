#include "cli/Bmp2EpaCommand.h"

#include "conversion/BmpFormat.h"
#include "conversion/FileConversion.h"
#include "document/FileIo.h"
#include "document/LanguageTexts.h"

namespace kalvero::cli {
namespace {

const QCommandLineOption
    NegativeOption("negative",
                   "Swap black and white of a 2-colour bitmap\n(no effect on 16-colour bitmaps)");

// The editor's refusal, title and text, in lines for a terminal.
std::string RefusalText(std::uint64_t length) {
    const MessageText refusal = BmpRefusal(Language::English, length);
    QString text = QString::fromStdString(refusal.title + LineBreak + refusal.text);
    text.replace(LineBreak, "\n");
    if (text.endsWith('\n')) {
        text.chop(1);
    }
    return text.toStdString();
}

} // namespace

Bmp2EpaCommand::Bmp2EpaCommand()
    : ConversionCommand(
          {"bmp2epa", "Make an EPA file from a bitmap, as the editor's Create EPA does",
           Synopses("[--negative]", "IN.bmp", "OUT.epa"),
           "Makes an EPA file from a bitmap, as Load BMP, Create EPA and Save EPA do\n"
           "in the editor. The size of the bitmap file alone decides:\n"
           "  1742 or 2582 bytes (136 x 84 or 136 x 126, 2 colours): an EPA version 1\n"
           "    logo of 1602 or 2367 bytes, the bitmap's bits as glyphs, every cell white\n"
           "  5830 or 8686 bytes (136 x 84 or 136 x 126, 16 colours): an EPA 2.0 image\n"
           "    of 5772 or 8628 bytes\n"
           "Any other size is refused."},
          ".epa", {NegativeOption}) {}

std::optional<QString> Bmp2EpaCommand::takeOptions(const QCommandLineParser& parser) {
    negative_ = parser.isSet(NegativeOption);
    return std::nullopt;
}

FileResult<std::vector<std::uint8_t>> Bmp2EpaCommand::convert(const std::filesystem::path& input) {
    const FileResult<std::uint64_t> length = FileLength(input);
    if (!length) {
        return length.error();
    }
    if (ClassifyBmpSize(length.value()) == BmpKind::NotAccepted) {
        return FileError{FileProblem::NotAccepted, RefusalText(length.value())};
    }
    const FileResult<std::vector<std::uint8_t>> bytes =
        ReadFileExactly(input, static_cast<std::size_t>(length.value()));
    if (!bytes) {
        return bytes.error();
    }
    return EpaFileFromBmp(bytes.value(), negative_);
}

} // namespace kalvero::cli
