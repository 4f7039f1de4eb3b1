#pragma once

#include "cli/ConversionCommand.h"
#include "conversion/PreviewImage.h"

namespace kalvero::cli {

// render: a PNG preview of an EPA file, an accepted bitmap or a BIOS image's
// logo.
class RenderCommand : public ConversionCommand {
public:
    RenderCommand();

protected:
    std::optional<std::string> takeOptions(const ArgumentParser& arguments) override;
    FileResult<std::vector<std::uint8_t>> convert(InputArgument& input) override;

private:
    // The logo of an Award BIOS image, its boot logo or (fullScreen_) its
    // full-screen logo, with the power-on screen its BIOS shows.
    FileResult<std::vector<std::uint8_t>> renderImageLogo(InputArgument& input);

    PreviewOptions options_;
    bool fullScreen_ = false;
};

} // namespace kalvero::cli
