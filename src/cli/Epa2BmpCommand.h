#pragma once

#include "cli/ConversionCommand.h"

namespace kalvero::cli {

// epa2bmp: the bitmap of an EPA version-1 logo or of a 16-colour EPA 2.0 image.
class Epa2BmpCommand : public ConversionCommand {
public:
    Epa2BmpCommand();

protected:
    FileResult<std::vector<std::uint8_t>> convert(InputArgument& input) override;
};

} // namespace kalvero::cli
