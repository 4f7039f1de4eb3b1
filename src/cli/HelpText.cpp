#include "cli/HelpText.h"

#include "cli/Console.h"

#include <algorithm>
#include <utility>

namespace kalvero::cli {
namespace {

constexpr std::size_t OptionColumn = 22;

std::string OptionNames(const Option& option) {
    std::string names;
    if (option.shortName != 0) {
        names = std::string("-") + option.shortName + ", ";
    }
    names += "--" + std::string(option.longName);
    return option.valueName.empty() ? names : names + " " + std::string(option.valueName);
}

std::string PaddedTo(std::string text, std::size_t width) {
    text.resize(std::max(text.size() + 1, width), ' ');
    return text;
}

// Names in the first column; a description's further lines line up under its first.
std::string OptionTable(const std::vector<const Option*>& options) {
    std::string table;
    for (const Option* option : options) {
        std::string_view description = option->description;
        std::string line = PaddedTo("  " + OptionNames(*option), OptionColumn);
        for (std::size_t end = description.find('\n'); end != std::string_view::npos;
             end = description.find('\n')) {
            table += line + std::string(description.substr(0, end)) + "\n";
            line = std::string(OptionColumn, ' ');
            description.remove_prefix(end + 1);
        }
        table += line + std::string(description) + "\n";
    }
    return table;
}

// Names and summaries, the summaries lined up two blanks after the longest
// name, so that a name of two words ("bios list") stands apart from its summary.
std::string CommandTable(const std::vector<std::pair<std::string, std::string>>& commands) {
    std::size_t widest = 0;
    for (const auto& [name, summary] : commands) {
        widest = std::max(widest, name.size());
    }
    std::string table;
    for (const auto& [name, summary] : commands) {
        table += PaddedTo("  " + name, widest + 4) + summary + "\n";
    }
    return table;
}

} // namespace

std::string OverallHelp(const std::vector<std::unique_ptr<Command>>& commands,
                        const std::vector<const Option*>& options) {
    // A group is listed as its commands.
    std::vector<std::pair<std::string, std::string>> listed;
    for (const std::unique_ptr<Command>& command : commands) {
        for (const std::unique_ptr<Command>& subcommand : command->subcommands()) {
            listed.emplace_back(subcommand->name(), subcommand->text().summary);
        }
        if (command->subcommands().empty()) {
            listed.emplace_back(command->name(), command->text().summary);
        }
    }
    const std::string program = ProgramName;
    return "Usage: " + program + " COMMAND [OPTION]... FILE...\n" + "  or:  " + program +
           " COMMAND --help\n" + "  or:  " + program + " --help | --version\n\n" +
           "Converts Award BIOS boot logos (EPA files) and the bitmaps they are made\n"
           "from, one file at a time or a whole batch, and puts a logo into an Award\n"
           "BIOS image.\n\n"
           "Commands:\n" +
           CommandTable(listed) + "\nOptions:\n" + OptionTable(options) +
           "\nA FILE of - is standard input or standard output. An input may also be a\n"
           "named pipe (a FIFO, or <(command)); outputs are regular files or -. Put --\n"
           "before file names that begin with a dash.\n"
           "Exit status: 0 when every file was handled, 1 when a file was refused or\n"
           "could not be read or written, 2 for a wrong command line.\n";
}

std::string CommandHelp(const Command& command, const std::vector<const Option*>& commonOptions) {
    std::vector<std::string> synopses;
    std::vector<std::pair<std::string, std::string>> listed;
    for (const std::unique_ptr<Command>& subcommand : command.subcommands()) {
        for (const std::string& synopsis : subcommand->text().synopses) {
            synopses.push_back(subcommand->name() + " " + synopsis);
        }
        listed.emplace_back(subcommand->name().substr(command.name().size() + 1),
                            subcommand->text().summary);
    }
    for (const std::string& synopsis : command.text().synopses) {
        synopses.push_back(command.name() + " " + synopsis);
    }
    std::string usage;
    for (const std::string& synopsis : synopses) {
        usage += (usage.empty() ? "Usage: " : "  or:  ") + std::string(ProgramName) + " " +
                 synopsis + "\n";
    }
    std::vector<const Option*> options = command.options();
    options.insert(options.end(), commonOptions.begin(), commonOptions.end());
    const std::string commandTable =
        listed.empty() ? "\n" : "\n\nCommands:\n" + CommandTable(listed);
    return usage + "\n" + command.text().description + commandTable + "\nOptions:\n" +
           OptionTable(options);
}

} // namespace kalvero::cli
