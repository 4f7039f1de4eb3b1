#pragma once

#include "cli/Command.h"
#include "cli/Console.h"

#include <memory>
#include <string>
#include <vector>

namespace kalvero::cli {

// Picks the command named by the first argument, parses its options and runs
// it; answers --help and --version and reports usage errors.
class CliApplication {
public:
    CliApplication();

    // The arguments after the program's name, as bytes (UTF-8 on Windows).
    // Gives the exit status.
    int run(const std::vector<std::string>& arguments);

private:
    int runCommand(Command& command, std::span<const std::string> arguments);

    std::vector<std::unique_ptr<Command>> commands_;
    Console console_;
};

} // namespace kalvero::cli
