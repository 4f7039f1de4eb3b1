#pragma once

#include "cli/Command.h"

namespace kalvero::cli {

// info: one line a file telling what it is, or why it is not accepted.
class InfoCommand : public Command {
public:
    InfoCommand();
    int run(const ArgumentParser& arguments, Console& console) override;
};

} // namespace kalvero::cli
