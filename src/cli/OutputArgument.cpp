#include "cli/OutputArgument.h"

#include "cli/ArgumentPath.h"
#include "cli/Console.h"
#include "cli/InputFiles.h"
#include "document/FileIo.h"
#include "document/FileNames.h"

namespace kalvero::cli {

namespace {

// Writing can only miss a folder, never the file it is about to make.
Reason WriteReason(const FileError& error) {
    switch (error.problem) {
    case FileProblem::NotFound:
        return FolderNotFound();
    case FileProblem::NotRegularFile:
        return Reason::of<"{} (- writes to standard output)",
                          "{} (- schreibt auf die Standardausgabe)">(error.reason);
    default:
        return error.reason;
    }
}

} // namespace

Reason WriteProblem(const FileError& error) {
    Reason problem = Reason::of<"not written: {}", "nicht geschrieben: {}">(WriteReason(error));
    if (!error.leftBehind.empty()) {
        problem += Reason::of<"; its temporary file {} could not be removed and is left behind",
                              "; seine temporäre Datei {} konnte nicht gelöscht werden und "
                              "bleibt liegen">(QuotedName(error.leftBehind));
    }
    return problem;
}

std::string SameFileProblem(const std::string& input) {
    return "not written: same file as " + input;
}

OutputArgument::OutputArgument(std::string argument) : argument_(std::move(argument)) {}

std::string OutputArgument::name() const {
    return isStandardOutput() ? "standard output" : argument_;
}

bool OutputArgument::check(std::span<const InputArgument* const> inputs, Console& console,
                           std::string_view advice) const {
    std::vector<std::string> given;
    for (const InputArgument* input : inputs) {
        given.push_back(input->argument());
    }
    if (const std::optional<std::string> same = InputFiles(given).inputAt(argument_)) {
        std::string reason = SameFileProblem(*same);
        if (!advice.empty()) {
            reason += ": " + std::string(advice);
        }
        console.reportFileError(name(), reason);
        return false;
    }
    if (isStandardOutput()) {
        if (console.outputIsTerminal()) {
            console.reportFileError(name(), "not written: is a terminal (redirect it to a file or "
                                            "a pipe, or name an output file)");
            return false;
        }
        return true;
    }
    if (const FileStatus writable = CheckWriteTarget(PathFromArgument(argument_)); !writable) {
        console.reportFileError(name(), WriteProblem(writable.error()));
        return false;
    }
    return true;
}

bool OutputArgument::write(std::span<const std::uint8_t> bytes, Console& console) const {
    if (isStandardOutput()) {
        console.write(bytes);
        return true;
    }
    if (const FileStatus written = WriteFileAtomically(PathFromArgument(argument_), bytes);
        !written) {
        console.reportFileError(name(), WriteProblem(written.error()));
        return false;
    }
    return true;
}

} // namespace kalvero::cli
