#pragma once

#include "cli/ConversionCommand.h"

namespace kalvero::cli {

// bmp2epa: what the editor's Load BMP, Create EPA and Save EPA make of a
// bitmap, chosen by the bitmap's size alone.
class Bmp2EpaCommand : public ConversionCommand {
public:
    Bmp2EpaCommand();

protected:
    std::optional<std::string> takeOptions(const ArgumentParser& arguments) override;
    FileResult<std::vector<std::uint8_t>> convert(InputArgument& input) override;

private:
    bool negative_ = false;
};

} // namespace kalvero::cli
