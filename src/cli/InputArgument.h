#pragma once

#include "base/FileResult.h"
#include "conversion/FileKind.h"
#include "conversion/InputFile.h"

#include <cstdint>
#include <optional>
#include <string>
#include <vector>

namespace kalvero::cli {

// A file named on the command line, or standard input for "-". A file is
// looked at before it is read, so that one refused by its length costs
// nothing; standard input and a named pipe (a FIFO, process substitution)
// are read once, up to MaxInputLength, when first asked about.
class InputArgument {
public:
    explicit InputArgument(std::string argument);

    bool isStandardInput() const { return argument_ == "-"; }
    // As messages name it: as given, or "standard input".
    std::string name() const;
    // The file as given, "-" for standard input.
    const std::string& argument() const { return argument_; }

    FileResult<std::uint64_t> length();
    // What the file is, by its length and first bytes (ProbeFile).
    FileResult<FileKind> kind();
    // Its first bytes, up to count.
    FileResult<std::vector<std::uint8_t>> head(std::size_t count);
    // The whole file, when at most MaxInputLength bytes long.
    FileResult<std::vector<std::uint8_t>> bytes();
    // The whole file when it is one this program accepts (ReadInputFile).
    FileResult<InputFile> accepted();

private:
    const FileResult<std::vector<std::uint8_t>>& standardInput();

    std::string argument_;
    // Standard input or a named pipe: read once, whole, when first asked about.
    bool stream_ = false;
    std::optional<FileResult<std::vector<std::uint8_t>>> standardInput_;
};

} // namespace kalvero::cli
