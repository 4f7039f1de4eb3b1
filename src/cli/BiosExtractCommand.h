#pragma once

#include "bios/LogoModule.h"
#include "cli/ConversionCommand.h"

namespace kalvero::cli {

// bios extract: the boot logo or the full-screen logo, an EPA file, out of an
// Award BIOS image.
class BiosExtractCommand : public ConversionCommand {
public:
    BiosExtractCommand();

protected:
    std::optional<std::string> takeOptions(const ArgumentParser& arguments) override;
    FileResult<std::vector<std::uint8_t>> convert(InputArgument& input) override;

private:
    bios::LogoPlace place_ = bios::LogoPlace::Boot;
};

} // namespace kalvero::cli
