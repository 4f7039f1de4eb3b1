#include "cli/PictureOptions.h"

#include "document/FileIo.h"
#include "picture/PictureLimits.h"

namespace kalvero::cli {

std::optional<std::string> TakePictureLook(const ArgumentParser& arguments,
                                           ImportSettings& settings) {
    const int scalings =
        arguments.isSet(FitOption) + arguments.isSet(FillOption) + arguments.isSet(StretchOption);
    if (scalings > 1) {
        return "choose one of --fit, --fill and --stretch";
    }
    settings.scaling = arguments.isSet(FillOption)      ? Scaling::Fill
                       : arguments.isSet(StretchOption) ? Scaling::Stretch
                                                        : Scaling::Fit;
    settings.invert = arguments.isSet(InvertOption);
    if (!arguments.isSet(DitherOption)) {
        return std::nullopt;
    }
    const std::string& mode = arguments.value(DitherOption);
    if (mode == "none") {
        settings.dither = Dither::None;
    } else if (mode == "ordered") {
        settings.dither = Dither::Ordered;
    } else if (mode == "diffusion") {
        settings.dither = Dither::Diffusion;
    } else {
        return "--dither takes none, ordered or diffusion, not '" + mode + "'";
    }
    return std::nullopt;
}

FileResult<DecodedPicture> ReadPicture(InputArgument& input) {
    const FileResult<std::uint64_t> length = input.length();
    if (!length) {
        return length.error();
    }
    if (length.value() > MaxPictureLength) {
        return FileError{FileProblem::TooLarge, TooLargeToRead(length.value(), MaxPictureLength)};
    }
    const FileResult<std::vector<std::uint8_t>> file = input.bytes();
    if (!file) {
        return file.error();
    }
    return DecodePicture(file.value());
}

} // namespace kalvero::cli
