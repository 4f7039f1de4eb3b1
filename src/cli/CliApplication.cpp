#include "cli/CliApplication.h"

#include "cli/CommandList.h"
#include "cli/CommonOptions.h"
#include "cli/HelpText.h"

namespace kalvero::cli {
namespace {

// The options every command takes after its own.
std::vector<const Option*> CommonOptions() {
    return {&QuietOption, &HelpOption};
}

} // namespace

CliApplication::CliApplication() : commands_(AllCommands()) {}

int CliApplication::run(const std::vector<std::string>& arguments) {
    const int status = [&] {
        if (arguments.empty()) {
            return console_.reportUsageError("no command given", {});
        }
        const std::string& first = arguments.front();
        for (const std::unique_ptr<Command>& command : commands_) {
            if (command->name() == first) {
                return runCommand(*command, std::span(arguments).subspan(1));
            }
        }
        if (!first.starts_with('-') || first == "-") {
            return console_.reportUsageError("unknown command '" + first + "'", {});
        }
        ArgumentParser parser({&HelpOption, &VersionOption});
        if (const std::optional<std::string> problem = parser.parse(arguments)) {
            return console_.reportUsageError(*problem, {});
        }
        if (parser.isSet(HelpOption)) {
            console_.print(OverallHelp(commands_, {&HelpOption, &VersionOption}));
        } else if (parser.isSet(VersionOption)) {
            console_.print(std::string(ProgramName) + " " + KALVERO_VERSION + "\n");
        } else {
            return console_.reportUsageError("no command given", {});
        }
        return static_cast<int>(ExitSuccess);
    }();
    // Output that never reached its file (a full disk) fails the run too.
    return console_.finish() || status != ExitSuccess ? status : ExitFailure;
}

int CliApplication::runCommand(Command& command, std::span<const std::string> arguments) {
    if (!arguments.empty()) {
        for (const std::unique_ptr<Command>& subcommand : command.subcommands()) {
            if (subcommand->name() == command.name() + " " + arguments.front()) {
                return runCommand(*subcommand, arguments.subspan(1));
            }
        }
    }
    std::vector<const Option*> options = command.options();
    const std::vector<const Option*> common = CommonOptions();
    options.insert(options.end(), common.begin(), common.end());
    ArgumentParser parser(options);
    if (const std::optional<std::string> problem = parser.parse(arguments)) {
        return console_.reportUsageError(*problem, command.name());
    }
    if (parser.isSet(HelpOption)) {
        console_.print(CommandHelp(command, common));
        return ExitSuccess;
    }
    console_.setQuiet(parser.isSet(QuietOption));
    return command.run(parser, console_);
}

} // namespace kalvero::cli
