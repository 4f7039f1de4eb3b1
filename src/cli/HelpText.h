#pragma once

#include "cli/Command.h"

#include <memory>
#include <vector>

namespace kalvero::cli {

// What --help prints for the whole tool, with the options that stand alone.
QString OverallHelp(const std::vector<std::unique_ptr<Command>>& commands,
                    const QList<QCommandLineOption>& options);

// What COMMAND --help prints; helpOption is listed last among the options.
QString CommandHelp(const Command& command, const QCommandLineOption& helpOption);

} // namespace kalvero::cli
