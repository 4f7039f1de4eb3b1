#pragma once

#include "base/FileResult.h"
#include "cli/InputArgument.h"

#include <cstdint>
#include <span>
#include <string>
#include <string_view>

namespace kalvero::cli {

class Console;

// The reason for a refused write, as messages give it after the file's name.
Reason WriteProblem(const FileError& error);
// input as InputFiles names it.
std::string SameFileProblem(const std::string& input);

// The one file a command writes, named on the command line, or standard
// output for "-". It is checked before any input is read, so that a refused
// output costs nothing, and written whole or not at all.
class OutputArgument {
public:
    explicit OutputArgument(std::string argument);

    bool isStandardOutput() const { return argument_ == "-"; }
    // As messages name it: as given, or "standard output".
    std::string name() const;

    // Refuses, with a message on the console: an output that is one of the
    // inputs (InputFiles: the same file by device and inode, links followed,
    // standard input and output by the files they are redirected to), with advice
    // after the reason; a target that a write would refuse (CheckWriteTarget);
    // standard output on a terminal.
    bool check(std::span<const InputArgument* const> inputs, Console& console,
               std::string_view advice = {}) const;
    // Writes the bytes, or says why not.
    bool write(std::span<const std::uint8_t> bytes, Console& console) const;

private:
    std::string argument_;
};

} // namespace kalvero::cli
