#include "cli/Bmp2EpaCommand.h"

#include "conversion/BmpFormat.h"
#include "conversion/BmpHeaderCheck.h"
#include "conversion/FileConversion.h"

namespace kalvero::cli {
namespace {

constexpr Option NegativeOption{
    0, "negative", "",
    "Swap black and white of a 2-colour bitmap\n(no effect on 16-colour bitmaps)"};

// The editor's refusal with its table of the four accepted bitmaps, in one line.
Reason Refusal(std::uint64_t length) {
    return Reason::of<"wrong size: {} bytes (a bitmap must be 136 x 84 or 136 x 126 pixels: "
                      "1742 or 2582 bytes in 2 colours, 5830 or 8686 bytes in 16 colours)",
                      "falsche Größe: {} Bytes (eine Bitmap muss 136 x 84 oder 136 x 126 Pixel "
                      "haben: 1742 oder 2582 Bytes mit 2 Farben, 5830 oder 8686 Bytes mit 16 "
                      "Farben)">(length);
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
           "Any other size is refused. Where a bitmap's header says otherwise than\n"
           "the layout its size gives it (rows stored top-down, compression, another\n"
           "depth, size or pixel offset), a warning on standard error says so; the\n"
           "bitmap is converted all the same."},
          ".epa", {&NegativeOption}) {}

std::optional<std::string> Bmp2EpaCommand::takeOptions(const ArgumentParser& arguments) {
    negative_ = arguments.isSet(NegativeOption);
    return std::nullopt;
}

FileResult<std::vector<std::uint8_t>> Bmp2EpaCommand::convert(InputArgument& input) {
    const FileResult<std::uint64_t> length = input.length();
    if (!length) {
        return length.error();
    }
    if (ClassifyBmpSize(length.value()) == BmpKind::NotAccepted) {
        return FileError{FileProblem::NotAccepted, Refusal(length.value())};
    }
    const FileResult<std::vector<std::uint8_t>> bytes = input.bytes();
    if (!bytes) {
        return bytes.error();
    }
    for (std::string& warning : BmpHeaderWarnings(bytes.value(), BmpUse::Conversion)) {
        warn(std::move(warning));
    }
    return EpaFileFromBmp(bytes.value(), negative_);
}

} // namespace kalvero::cli
