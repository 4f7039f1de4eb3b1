#include "cli/RenderCommand.h"

#include "conversion/InputFile.h"

#include <QBuffer>
#include <QImage>

namespace kalvero::cli {
namespace {

constexpr int MaxScale = 16;

const QCommandLineOption
    ScaleOption("scale", "Draw each pixel as N x N pixels, N from 1 to 16\n(default 1)", "N");
const QCommandLineOption GridOption("grid", "Show the cell grid as the editor's canvas does,\n"
                                            "gaps in light grey (154 pixels wide); EPA version 1\n"
                                            "only, other files are drawn without it");

FileResult<std::vector<std::uint8_t>> EncodePng(const RgbImage& picture) {
    const QImage image(reinterpret_cast<const uchar*>(picture.pixels.data()), picture.width,
                       picture.height, picture.width * 3, QImage::Format_RGB888);
    QByteArray png;
    QBuffer buffer(&png);
    buffer.open(QIODevice::WriteOnly);
    if (!image.save(&buffer, "PNG")) {
        return FileError{FileProblem::Other, "the PNG could not be made"};
    }
    return std::vector<std::uint8_t>(png.begin(), png.end());
}

} // namespace

RenderCommand::RenderCommand()
    : ConversionCommand(
          {"render", "Draw a PNG preview of an EPA file or an accepted bitmap",
           Synopses("[--scale N] [--grid]", "IN", "OUT.png"),
           "Draws a PNG preview of an EPA file or of one of the four accepted bitmaps,\n"
           "one file pixel to one PNG pixel:\n"
           "  an EPA version 1 logo in the editor's 16 colours, 136 x 84 or 136 x 126\n"
           "  an EPA 2.0 image, 16 or 256 colours, in its own palette\n"
           "  a bitmap in its own palette"},
          ".png", {ScaleOption, GridOption}) {}

std::optional<QString> RenderCommand::takeOptions(const QCommandLineParser& parser) {
    options_.grid = parser.isSet(GridOption);
    if (!parser.isSet(ScaleOption)) {
        return std::nullopt;
    }
    bool number = false;
    options_.scale = parser.value(ScaleOption).toInt(&number);
    if (!number || options_.scale < 1 || options_.scale > MaxScale) {
        return QString("--scale needs a whole number from 1 to %1, not '%2'")
            .arg(MaxScale)
            .arg(parser.value(ScaleOption));
    }
    return std::nullopt;
}

FileResult<std::vector<std::uint8_t>> RenderCommand::convert(const std::filesystem::path& input) {
    const FileResult<InputFile> file = ReadInputFile(input);
    if (!file) {
        return file.error();
    }
    const FileResult<RgbImage> picture = RenderPreview(file.value().bytes, options_);
    if (!picture) {
        return picture.error();
    }
    return EncodePng(picture.value());
}

} // namespace kalvero::cli
