#pragma once

#include <QCommandLineOption>
#include <QCommandLineParser>
#include <QList>
#include <QString>
#include <QStringList>
#include <utility>

namespace kalvero::cli {

enum ExitStatus : int { ExitSuccess = 0, ExitFailure = 1, ExitUsage = 2 };

// What the help tells about a command.
struct CommandText {
    QString name;
    QString summary;      // one line in the overall help
    QStringList synopses; // the usage lines' arguments: "[--negative] IN.bmp OUT.epa"
    QString description;  // for the command's help; lines of at most 80 characters
};

// One command of kalvero-cli. The application parses the command's options
// and hands the parsed command line to run().
class Command {
public:
    explicit Command(CommandText text) : text_(std::move(text)) {}
    virtual ~Command() = default;

    const CommandText& text() const { return text_; }
    const QString& name() const { return text_.name; }
    virtual QList<QCommandLineOption> options() const { return {}; }
    // ExitSuccess, ExitFailure, or ExitUsage after reporting a usage error.
    virtual int run(const QCommandLineParser& parser) = 0;

private:
    CommandText text_;
};

} // namespace kalvero::cli
