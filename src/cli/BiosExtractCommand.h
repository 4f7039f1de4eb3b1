#pragma once

#include "cli/ConversionCommand.h"

namespace kalvero::cli {

// bios extract: the logo module's content, an EPA file, of an Award BIOS image.
class BiosExtractCommand : public ConversionCommand {
public:
    BiosExtractCommand();

protected:
    FileResult<std::vector<std::uint8_t>> convert(InputArgument& input) override;
};

} // namespace kalvero::cli
