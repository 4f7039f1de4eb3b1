#pragma once

#include "cli/Command.h"

namespace kalvero::cli {

// bios replace: a new Award BIOS image with another logo; the image itself is
// never changed.
class BiosReplaceCommand : public Command {
public:
    BiosReplaceCommand();
    std::vector<const Option*> options() const override;
    int run(const ArgumentParser& arguments, Console& console) override;
};

} // namespace kalvero::cli
