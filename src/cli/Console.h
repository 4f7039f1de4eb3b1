#pragma once

#include "base/Reason.h"
#include "cli/ProgressLine.h"

#include <cstdint>
#include <optional>
#include <span>
#include <string>
#include <string_view>

namespace kalvero::cli {

inline constexpr char ProgramName[] = "kalvero-cli";

// Standard output and standard error of one run. Texts are bytes: file names
// go out exactly as they came in (UTF-8 on Windows, shown right on a
// console). A failed write to standard output is told once, at the end.
class Console {
public:
    Console();

    // Text or file bytes on standard output.
    void print(std::string_view text);
    void write(std::span<const std::uint8_t> bytes);

    // "kalvero-cli: FILE: reason" on standard error; the file as it was given
    // (QuotedName).
    void reportFileError(std::string_view file, std::string_view reason);
    // The same with a reason of the core, in the language of the user's
    // locale.
    void reportFileError(std::string_view file, const Reason& reason);
    // "kalvero-cli: FILE: warning: text" on standard error, unless quiet.
    void reportWarning(std::string_view file, std::string_view text);
    // A wrong command line: the problem and where to find help. helpFor is the
    // command whose help fits, or empty for the overall help. Gives ExitUsage.
    int reportUsageError(std::string_view problem, std::string_view helpFor);

    // True when standard output is a terminal, which is no place for a file's bytes.
    bool outputIsTerminal() const { return outputIsTerminal_; }

    // Quiet leaves out warnings and the progress line of a batch, which is
    // shown only on a terminal.
    void setQuiet(bool quiet) { quiet_ = quiet; }
    void showProgress(std::size_t done, std::size_t total);
    void endProgress();

    // Flushes standard output; when anything written to it was lost, says why
    // and gives false.
    bool finish();

private:
    void writeError(std::string_view text);

    Language language_;
    bool quiet_ = false;
    bool errorIsTerminal_;
    bool outputIsTerminal_;
    std::optional<int> outputError_; // errno of the first failed write
    std::optional<ProgressLine> progress_;
};

} // namespace kalvero::cli
