#pragma once

#include "base/FileResult.h"
#include "cli/Command.h"
#include "cli/InputArgument.h"

#include <cstdint>
#include <optional>
#include <string>
#include <vector>

namespace kalvero::cli {

// A command that makes one output file of each input: IN OUT (either may be
// - for standard input or output), or any number of inputs with
// --output-dir DIR. One failed input does not stop the others. An output is
// written whole or not at all, never over one of the inputs, a folder, a
// device or another file that is not a regular one, nor over a
// write-protected file; a symlink is written through.
class ConversionCommand : public Command {
public:
    // outputExtension with its point: ".epa"; commandOptions come before
    // --output-dir in the help.
    ConversionCommand(CommandText text, std::string outputExtension,
                      std::vector<const Option*> commandOptions);

    std::vector<const Option*> options() const final;
    int run(const ArgumentParser& arguments, Console& console) final;

    // The synopses with IN OUT and with --output-dir, after the command's options.
    static std::vector<std::string> Synopses(const std::string& options, const std::string& input,
                                             const std::string& output);

protected:
    // Takes the command's own options; a wrong one gives the problem.
    virtual std::optional<std::string> takeOptions(const ArgumentParser&) { return std::nullopt; }
    // For a command whose options decide the output's kind; from takeOptions.
    void setOutputExtension(std::string extension) { outputExtension_ = std::move(extension); }
    // The output's bytes, made from the input; errors concern the input.
    virtual FileResult<std::vector<std::uint8_t>> convert(InputArgument& input) = 0;
    // From convert: something about the input that the user should know,
    // which does not stop the conversion.
    void warn(std::string text) { warnings_.push_back(std::move(text)); }

private:
    int convertOne(const std::string& input, const std::string& output, Console& console);
    // Converts, reporting the input's warnings and a failure.
    FileResult<std::vector<std::uint8_t>> convertAndReport(InputArgument& input, Console& console);
    int convertBatch(const std::string& folder, const std::vector<std::string>& inputs,
                     Console& console);

    std::string outputExtension_;
    std::vector<const Option*> commandOptions_;
    std::vector<std::string> warnings_;
};

} // namespace kalvero::cli
