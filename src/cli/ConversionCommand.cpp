#include "cli/ConversionCommand.h"

#include "cli/ArgumentPath.h"
#include "cli/CommonOptions.h"
#include "cli/Console.h"
#include "cli/InputFiles.h"
#include "cli/OutputArgument.h"
#include "cli/OutputNaming.h"
#include "document/BatchWriter.h"

#include <algorithm>
#include <deque>

namespace kalvero::cli {

ConversionCommand::ConversionCommand(CommandText text, std::string outputExtension,
                                     std::vector<const Option*> commandOptions)
    : Command(std::move(text)), outputExtension_(std::move(outputExtension)),
      commandOptions_(std::move(commandOptions)) {}

std::vector<const Option*> ConversionCommand::options() const {
    std::vector<const Option*> all = commandOptions_;
    all.push_back(&OutputDirOption);
    return all;
}

std::vector<std::string> ConversionCommand::Synopses(const std::string& options,
                                                     const std::string& input,
                                                     const std::string& output) {
    const std::string prefix = options.empty() ? std::string() : options + " ";
    return {prefix + input + " " + output, prefix + "--output-dir DIR " + input + "..."};
}

int ConversionCommand::run(const ArgumentParser& arguments, Console& console) {
    if (const std::optional<std::string> problem = takeOptions(arguments)) {
        return console.reportUsageError(*problem, name());
    }
    const std::vector<std::string>& files = arguments.operands();
    if (!arguments.isSet(OutputDirOption)) {
        if (files.size() != 2) {
            return console.reportUsageError(name() + " needs an input and an output file, "
                                                     "or --output-dir DIR and input files",
                                            name());
        }
        return convertOne(files[0], files[1], console);
    }
    if (files.empty()) {
        return console.reportUsageError(name() + " --output-dir needs input files", name());
    }
    if (arguments.value(OutputDirOption) == "-") {
        return console.reportUsageError(
            "--output-dir needs a folder: - (standard output) takes a single output only", name());
    }
    if (std::find(files.begin(), files.end(), "-") != files.end()) {
        return console.reportUsageError(
            "- (standard input) is for IN OUT only, not for --output-dir", name());
    }
    return convertBatch(arguments.value(OutputDirOption), files, console);
}

int ConversionCommand::convertOne(const std::string& in, const std::string& out, Console& console) {
    InputArgument input(in);
    const OutputArgument output(out);
    // A target that will be refused is told before the input is read; the
    // write checks it once more.
    const InputArgument* inputs[] = {&input};
    if (!output.check(inputs, console)) {
        return ExitFailure;
    }
    const FileResult<std::vector<std::uint8_t>> bytes = convertAndReport(input, console);
    if (!bytes) {
        return ExitFailure;
    }
    return output.write(bytes.value(), console) ? ExitSuccess : ExitFailure;
}

FileResult<std::vector<std::uint8_t>> ConversionCommand::convertAndReport(InputArgument& input,
                                                                          Console& console) {
    FileResult<std::vector<std::uint8_t>> bytes = convert(input);
    for (const std::string& warning : warnings_) {
        console.reportWarning(input.name(), warning);
    }
    warnings_.clear();
    if (!bytes) {
        console.reportFileError(input.name(), bytes.error().reason);
    }
    return bytes;
}

int ConversionCommand::convertBatch(const std::string& folder,
                                    const std::vector<std::string>& inputs, Console& console) {
    std::error_code ec;
    if (!std::filesystem::is_directory(PathFromArgument(folder), ec)) {
        console.reportFileError(folder, folder.empty() ? Reason::of<"empty name", "leerer Name">()
                                                       : FolderNotFound());
        return ExitFailure;
    }
    const InputFiles readFiles(inputs);
    OutputNaming naming(folder, outputExtension_);
    int status = ExitSuccess;
    // The writer tells each output's fate in the order they were added.
    std::deque<std::string> added;
    BatchWriter writer([&](const std::filesystem::path&, const FileStatus& outcome) {
        if (!outcome) {
            console.reportFileError(added.front(), WriteProblem(outcome.error()));
            status = ExitFailure;
        }
        added.pop_front();
    });
    for (std::size_t i = 0; i < inputs.size(); ++i) {
        console.showProgress(i, inputs.size());
        InputArgument input(inputs[i]);
        const std::optional<std::string> output = naming.outputFor(inputs[i]);
        if (!output) {
            console.reportFileError(inputs[i],
                                    "not converted: an earlier input has the same output name");
            status = ExitFailure;
            continue;
        }
        if (const std::optional<std::string> same = readFiles.inputAt(*output)) {
            console.reportFileError(*output, SameFileProblem(*same));
            status = ExitFailure;
            continue;
        }
        const FileResult<std::vector<std::uint8_t>> bytes = convertAndReport(input, console);
        if (!bytes) {
            status = ExitFailure;
            continue;
        }
        // add checks the target: a batch's inputs are small, and a check of
        // its own would cost every output a few more looks at the disk.
        if (const FileStatus taken = writer.add(PathFromArgument(*output), bytes.value()); !taken) {
            console.reportFileError(*output, WriteProblem(taken.error()));
            status = ExitFailure;
        } else {
            added.push_back(*output);
        }
    }
    writer.finish();
    console.endProgress();
    return status;
}

} // namespace kalvero::cli
