#include "cli/RenderCommand.h"

#include "cli/PngEncoding.h"
#include "cli/WholeNumber.h"
#include "conversion/BmpHeaderCheck.h"

namespace kalvero::cli {
namespace {

constexpr int MaxScale = 16;

constexpr Option ScaleOption{0, "scale", "N",
                             "Draw each pixel as N x N pixels, N from 1 to 16\n(default 1)"};
constexpr Option GridOption{0, "grid", "",
                            "Show the cell grid as the editor's canvas does,\n"
                            "gaps in light grey (154 pixels wide); EPA version 1\n"
                            "only, other files are drawn without it"};

} // namespace

RenderCommand::RenderCommand()
    : ConversionCommand(
          {"render", "Draw a PNG preview of an EPA file or an accepted bitmap",
           Synopses("[--scale N] [--grid]", "IN", "OUT.png"),
           "Draws a PNG preview of an EPA file or of one of the four accepted bitmaps,\n"
           "one file pixel to one PNG pixel:\n"
           "  an EPA version 1 logo in the editor's 16 colours, 136 x 84 or 136 x 126\n"
           "  an EPA 2.0 image, 16 or 256 colours, in its own palette\n"
           "  a bitmap in its own palette\n"
           "Where a bitmap's header contradicts the layout its size gives it, a warning\n"
           "on standard error says so."},
          ".png", {&ScaleOption, &GridOption}) {}

std::optional<std::string> RenderCommand::takeOptions(const ArgumentParser& arguments) {
    options_.grid = arguments.isSet(GridOption);
    options_.scale = 1;
    if (!arguments.isSet(ScaleOption)) {
        return std::nullopt;
    }
    const std::optional<int> scale = WholeNumber(arguments.value(ScaleOption), 1, MaxScale);
    if (!scale) {
        return "--scale needs a whole number from 1 to " + std::to_string(MaxScale) + ", not '" +
               arguments.value(ScaleOption) + "'";
    }
    options_.scale = *scale;
    return std::nullopt;
}

FileResult<std::vector<std::uint8_t>> RenderCommand::convert(InputArgument& input) {
    const FileResult<InputFile> file = input.accepted();
    if (!file) {
        return file.error();
    }
    for (std::string& warning : BmpHeaderWarnings(file.value().bytes, BmpUse::Picture)) {
        warn(std::move(warning));
    }
    const FileResult<RgbImage> picture = RenderPreview(file.value().bytes, options_);
    if (!picture) {
        return picture.error();
    }
    return EncodePng(picture.value());
}

} // namespace kalvero::cli
