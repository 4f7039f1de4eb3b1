#pragma once

#include "cli/Command.h"

#include <memory>
#include <vector>

namespace kalvero::cli {

// Picks the command named by the first argument, parses its options and runs
// it; answers --help and --version and reports usage errors.
class CliApplication {
public:
    CliApplication();

    // arguments as main receives them, the program's name first. Gives the
    // exit status.
    int run(const QStringList& arguments);

private:
    int runCommand(Command& command, const QStringList& arguments);

    std::vector<std::unique_ptr<Command>> commands_;
};

} // namespace kalvero::cli
