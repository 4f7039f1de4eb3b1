#pragma once

#include "cli/Command.h"

#include <memory>
#include <vector>

namespace kalvero::cli {

// Every command, in the order the overall help lists them. A new command is
// one class and one line here.
std::vector<std::unique_ptr<Command>> AllCommands();

} // namespace kalvero::cli
