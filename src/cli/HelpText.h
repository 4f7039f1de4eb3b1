#pragma once

#include "cli/Command.h"

#include <memory>
#include <string>
#include <vector>

namespace kalvero::cli {

// What --help prints for the whole tool, with the options that stand alone.
std::string OverallHelp(const std::vector<std::unique_ptr<Command>>& commands,
                        const std::vector<const Option*>& options);

// What COMMAND --help prints: its usage, description and option table, the
// command's own options first, then commonOptions.
std::string CommandHelp(const Command& command, const std::vector<const Option*>& commonOptions);

} // namespace kalvero::cli
