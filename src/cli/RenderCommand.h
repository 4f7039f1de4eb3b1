#pragma once

#include "cli/ConversionCommand.h"
#include "conversion/PreviewImage.h"

namespace kalvero::cli {

// render: a PNG preview of an EPA file or an accepted bitmap.
class RenderCommand : public ConversionCommand {
public:
    RenderCommand();

protected:
    std::optional<std::string> takeOptions(const ArgumentParser& arguments) override;
    FileResult<std::vector<std::uint8_t>> convert(InputArgument& input) override;

private:
    PreviewOptions options_;
};

} // namespace kalvero::cli
