#pragma once

#include "bios/ImageInspection.h"
#include "cli/Command.h"

#include <string>
#include <string_view>

namespace kalvero::cli {

// bios try: the image's own BIOS boots in QEMU, and the screen shows whether
// it draws the logo.
class BiosTryCommand : public Command {
public:
    BiosTryCommand();
    std::vector<const Option*> options() const override;
    int run(const ArgumentParser& arguments, Console& console) override;
};

// "see it drawn by this board's BIOS: kalvero-cli bios try IMAGE" where QEMU
// runs the image's chipset; else empty.
std::string TryNextStep(const bios::ImageInspection& inspection, std::string_view image);

} // namespace kalvero::cli
