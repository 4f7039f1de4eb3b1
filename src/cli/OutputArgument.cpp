#include "cli/OutputArgument.h"

#include "cli/ArgumentPath.h"
#include "cli/Console.h"
#include "document/FileIo.h"

namespace kalvero::cli {

// Writing can only miss a folder, never the file it is about to make.
std::string WriteProblem(const FileError& error) {
    switch (error.problem) {
    case FileProblem::NotFound:
        return "not written: folder not found";
    case FileProblem::NotRegularFile:
        return "not written: " + error.reason + " (- writes to standard output)";
    default:
        return "not written: " + error.reason;
    }
}

std::string SameFileProblem(const std::string& input) {
    return "not written: same file as the input " + input;
}

OutputArgument::OutputArgument(std::string argument) : argument_(std::move(argument)) {}

std::string OutputArgument::name() const {
    return isStandardOutput() ? "standard output" : argument_;
}

bool OutputArgument::check(std::span<const InputArgument* const> inputs, Console& console,
                           std::string_view advice) const {
    // Standard output may be redirected to an input; only Linux names it.
    const std::filesystem::path target =
        PathFromArgument(isStandardOutput() ? "/dev/stdout" : argument_);
    for (const InputArgument* input : inputs) {
#ifdef _WIN32
        const bool comparable = !isStandardOutput() && !input->isStandardInput();
#else
        const bool comparable = !input->isStandardInput();
#endif
        if (comparable && SameFile(PathFromArgument(input->argument()), target)) {
            std::string reason = SameFileProblem(input->argument());
            if (!advice.empty()) {
                reason += ": " + std::string(advice);
            }
            console.reportFileError(name(), reason);
            return false;
        }
    }
    if (isStandardOutput()) {
        if (console.outputIsTerminal()) {
            console.reportFileError(name(), "not written: is a terminal (redirect it to a file or "
                                            "a pipe, or name an output file)");
            return false;
        }
        return true;
    }
    if (const FileStatus writable = CheckWriteTarget(target); !writable) {
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
