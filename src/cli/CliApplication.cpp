#include "cli/CliApplication.h"

#include "cli/CommandList.h"
#include "cli/Console.h"
#include "cli/HelpText.h"

#include <algorithm>

namespace kalvero::cli {
namespace {

const QCommandLineOption HelpOption({"h", "help"}, "Show this help");
const QCommandLineOption VersionOption({"v", "version"}, "Show the version");

// A one-letter name takes one dash, a longer one two.
bool Names(const QCommandLineOption& option, const QString& argument) {
    const QStringList names = option.names();
    return std::any_of(names.begin(), names.end(), [&](const QString& name) {
        return argument == (name.size() == 1 ? "-" : "--") + name;
    });
}

} // namespace

CliApplication::CliApplication() : commands_(AllCommands()) {}

int CliApplication::run(const QStringList& arguments) {
    if (arguments.size() < 2) {
        return ReportUsageError("no command given", {});
    }
    const QString first = arguments[1];
    if (Names(HelpOption, first)) {
        PrintText(OverallHelp(commands_, {HelpOption, VersionOption}));
        return ExitSuccess;
    }
    if (Names(VersionOption, first)) {
        PrintText(QString(ProgramName) + " " + KALVERO_VERSION + "\n");
        return ExitSuccess;
    }
    for (const std::unique_ptr<Command>& command : commands_) {
        if (command->name() == first) {
            return runCommand(*command, arguments.mid(2));
        }
    }
    const QString problem = first.startsWith('-') ? "unknown option '%1'" : "unknown command '%1'";
    return ReportUsageError(problem.arg(first), {});
}

int CliApplication::runCommand(Command& command, const QStringList& arguments) {
    QCommandLineParser parser;
    parser.addOption(HelpOption);
    parser.addOptions(command.options());
    // parse() takes the first entry as the program's name.
    if (!parser.parse(QStringList(ProgramName) + arguments)) {
        return ReportUsageError(parser.errorText(), command.name());
    }
    if (parser.isSet(HelpOption)) {
        PrintText(CommandHelp(command, HelpOption));
        return ExitSuccess;
    }
    return command.run(parser);
}

} // namespace kalvero::cli
