#pragma once

#include "cli/Command.h"
#include "document/FileResult.h"

#include <cstdint>
#include <filesystem>
#include <functional>
#include <optional>
#include <span>
#include <vector>

namespace kalvero::cli {

// A command that makes one output file of each input: IN OUT, or any number
// of inputs with --output-dir DIR. One failed input does not stop the others;
// an output is written whole or not at all, so a failure leaves an existing
// file as it was.
class ConversionCommand : public Command {
public:
    // outputExtension with its point: ".epa"; commandOptions come before
    // --output-dir in the help.
    ConversionCommand(CommandText text, QString outputExtension,
                      QList<QCommandLineOption> commandOptions);

    QList<QCommandLineOption> options() const final;
    int run(const QCommandLineParser& parser) final;

    // The synopses with IN OUT and with --output-dir, after the command's options.
    static QStringList Synopses(const QString& options, const QString& input,
                                const QString& output);

protected:
    // Takes the command's own options; a wrong one gives the problem.
    virtual std::optional<QString> takeOptions(const QCommandLineParser&) { return std::nullopt; }
    // For a command whose options decide the output's kind; from takeOptions.
    void setOutputExtension(QString extension) { outputExtension_ = std::move(extension); }
    // The output's bytes, made from the input read whole; errors name the input.
    virtual FileResult<std::vector<std::uint8_t>> convert(const std::filesystem::path& input) = 0;

private:
    using OutputWriter = std::function<FileStatus(std::span<const std::uint8_t>)>;

    bool convertOne(const QString& input, const QString& output);
    // Converts the input and hands the bytes to write, reporting a failure of
    // either step.
    FileStatus writeOutput(const QString& input, const QString& output, const OutputWriter& write);

    QString outputExtension_;
    QList<QCommandLineOption> commandOptions_;
};

} // namespace kalvero::cli
