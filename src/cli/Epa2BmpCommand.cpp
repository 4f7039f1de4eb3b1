#include "cli/Epa2BmpCommand.h"

#include "conversion/FileConversion.h"

namespace kalvero::cli {

Epa2BmpCommand::Epa2BmpCommand()
    : ConversionCommand(
          {"epa2bmp", "Make a bitmap from an EPA file", Synopses("", "IN.epa", "OUT.bmp"),
           "Makes a bitmap from an EPA file:\n"
           "  an EPA version 1 logo becomes a 2-colour bitmap of 1742 or 2582 bytes,\n"
           "    its glyph bits white on black, without the cell colours, as the\n"
           "    editor's EPAtoBMP writes it\n"
           "  an EPA 2.0 image of 16 colours becomes a 16-colour bitmap of its size\n"
           "    (a full-screen logo of 640 x 480 one of 153718 bytes); of 136 x 84 or\n"
           "    136 x 126 one of 5830 or 8686 bytes, from which bmp2epa makes the same\n"
           "    EPA 2.0 file again\n"
           "Other files are refused."},
          ".bmp", {}) {}

FileResult<std::vector<std::uint8_t>> Epa2BmpCommand::convert(InputArgument& input) {
    const FileResult<InputFile> file = input.accepted();
    if (!file) {
        return file.error();
    }
    if (file.value().kind.type == FileType::Bitmap) {
        return FileError{FileProblem::NotAccepted,
                         Reason::of<"not an EPA file: {}", "keine EPA-Datei: {}">(
                             DescribeFileKind(file.value().kind))};
    }
    return BmpFileFromEpa(file.value().bytes);
}

} // namespace kalvero::cli
