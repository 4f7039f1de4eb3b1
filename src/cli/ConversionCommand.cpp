#include "cli/ConversionCommand.h"

#include "cli/ArgumentPath.h"
#include "cli/Console.h"
#include "cli/OutputNaming.h"
#include "document/BatchWriter.h"
#include "document/FileIo.h"

#include <QFileInfo>

namespace kalvero::cli {
namespace {

const QCommandLineOption OutputDirOption(
    "output-dir",
    "Write one output per input into DIR, named after\nthe input with the new extension", "DIR");

// Writing can only miss a folder, never the file it is about to make.
std::string WriteProblem(const FileError& error) {
    return "not written: " + (error.problem == FileProblem::NotFound
                                  ? std::string("folder not found")
                                  : error.reason);
}

} // namespace

ConversionCommand::ConversionCommand(CommandText text, QString outputExtension,
                                     QList<QCommandLineOption> commandOptions)
    : Command(std::move(text)), outputExtension_(std::move(outputExtension)),
      commandOptions_(std::move(commandOptions)) {}

QList<QCommandLineOption> ConversionCommand::options() const {
    return commandOptions_ + QList<QCommandLineOption>{OutputDirOption};
}

QStringList ConversionCommand::Synopses(const QString& options, const QString& input,
                                        const QString& output) {
    const QString prefix = options.isEmpty() ? QString() : options + " ";
    return {prefix + input + " " + output, prefix + "--output-dir DIR " + input + "..."};
}

int ConversionCommand::run(const QCommandLineParser& parser) {
    if (const std::optional<QString> problem = takeOptions(parser)) {
        return ReportUsageError(*problem, name());
    }
    const QStringList inputs = parser.positionalArguments();
    if (!parser.isSet(OutputDirOption)) {
        if (inputs.size() != 2) {
            return ReportUsageError(name() + " needs an input and an output file, "
                                             "or --output-dir DIR and input files",
                                    name());
        }
        return convertOne(inputs[0], inputs[1]) ? ExitSuccess : ExitFailure;
    }
    if (inputs.isEmpty()) {
        return ReportUsageError(name() + " --output-dir needs input files", name());
    }
    const QString folder = parser.value(OutputDirOption);
    if (!QFileInfo(folder).isDir()) {
        ReportFileError(folder, "folder not found");
        return ExitFailure;
    }
    OutputNaming naming(folder, outputExtension_);
    // One flush for the whole batch: the outputs replace their old files only
    // once every one of them is safely on disk.
    BatchWriter batch;
    QStringList outputs;
    int status = ExitSuccess;
    for (const QString& input : inputs) {
        const std::optional<QString> output = naming.outputFor(input);
        if (!output) {
            ReportFileError(input, "not converted: an earlier input has the same output name");
            status = ExitFailure;
            continue;
        }
        const FileStatus added = writeOutput(input, *output, [&](const auto& bytes) {
            return batch.add(PathFromArgument(*output), bytes);
        });
        if (added) {
            outputs << *output;
        } else {
            status = ExitFailure;
        }
    }
    const std::vector<FileStatus> written = batch.commit();
    for (qsizetype i = 0; i < outputs.size(); ++i) {
        if (!written[static_cast<std::size_t>(i)]) {
            ReportFileError(outputs[i], WriteProblem(written[static_cast<std::size_t>(i)].error()));
            status = ExitFailure;
        }
    }
    return status;
}

bool ConversionCommand::convertOne(const QString& input, const QString& output) {
    return writeOutput(input, output,
                       [&](const auto& bytes) {
                           return WriteFileAtomically(PathFromArgument(output), bytes);
                       })
        .ok();
}

FileStatus ConversionCommand::writeOutput(const QString& input, const QString& output,
                                          const OutputWriter& write) {
    const FileResult<std::vector<std::uint8_t>> bytes = convert(PathFromArgument(input));
    if (!bytes) {
        ReportFileError(input, bytes.error().reason);
        return bytes.error();
    }
    const FileStatus written = write(bytes.value());
    if (!written) {
        ReportFileError(output, WriteProblem(written.error()));
    }
    return written;
}

} // namespace kalvero::cli
