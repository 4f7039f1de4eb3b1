#include "cli/HelpText.h"

#include "cli/Console.h"

namespace kalvero::cli {
namespace {

constexpr int OptionColumn = 22;

QString OptionNames(const QCommandLineOption& option) {
    QStringList names;
    for (const QString& name : option.names()) {
        names << (name.size() == 1 ? "-" : "--") + name;
    }
    const QString joined = names.join(", ");
    return option.valueName().isEmpty() ? joined : joined + " " + option.valueName();
}

// Names in the first column; a description's further lines line up under its first.
QString OptionTable(const QList<QCommandLineOption>& options) {
    QString table;
    for (const QCommandLineOption& option : options) {
        const QString names = "  " + OptionNames(option);
        const QStringList lines = option.description().split('\n');
        table += names.leftJustified(OptionColumn - 1) + " " + lines.first() + "\n";
        for (qsizetype i = 1; i < lines.size(); ++i) {
            table += QString(OptionColumn, ' ') + lines[i] + "\n";
        }
    }
    return table;
}

} // namespace

QString OverallHelp(const std::vector<std::unique_ptr<Command>>& commands,
                    const QList<QCommandLineOption>& options) {
    QString commandTable;
    for (const std::unique_ptr<Command>& command : commands) {
        commandTable +=
            "  " + command->name().leftJustified(9) + " " + command->text().summary + "\n";
    }
    const QString program = ProgramName;
    return "Usage: " + program + " COMMAND [OPTION]... FILE...\n" + "       " + program +
           " COMMAND --help\n" + "       " + program + " --help | --version\n\n" +
           "Converts Award BIOS boot logos (EPA files) and the bitmaps they are made\n"
           "from, one file at a time or a whole batch.\n\n"
           "Commands:\n" +
           commandTable + "\nOptions:\n" + OptionTable(options) +
           "\nPut -- before file names that begin with a dash.\n"
           "Exit status: 0 when every file was handled, 1 when a file was refused or\n"
           "could not be read or written, 2 for a wrong command line.\n";
}

QString CommandHelp(const Command& command, const QCommandLineOption& helpOption) {
    QString usage;
    for (const QString& synopsis : command.text().synopses) {
        usage += (usage.isEmpty() ? "Usage: " : "       ") + QString(ProgramName) + " " +
                 command.name() + " " + synopsis + "\n";
    }
    return usage + "\n" + command.text().description + "\n\nOptions:\n" +
           OptionTable(command.options() << helpOption);
}

} // namespace kalvero::cli
