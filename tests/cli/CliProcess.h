#pragma once

#include <cstdint>
#include <filesystem>
#include <ostream>
#include <string>
#include <sys/resource.h>
#include <sys/types.h>
#include <vector>

namespace kalvero::test {

// What a run of kalvero-cli gave: its exit status (128 + n when signal n
// ended it) and what it wrote.
struct CliRun {
    int exitCode = -1;
    std::string out;
    std::string err;
    friend bool operator==(const CliRun&, const CliRun&) = default;
    friend void PrintTo(const CliRun& run, std::ostream* os) {
        *os << "exit " << run.exitCode << ", out \"" << run.out << "\", err \"" << run.err << "\"";
    }
};

struct CliOptions {
    std::vector<std::uint8_t> input{};  // standard input
    std::filesystem::path outputFile{}; // standard output goes here (e.g. /dev/full), else captured
    rlim_t fileSizeLimit = 0;           // the most bytes a file may have, 0 for no limit
    bool terminal = false;              // standard error is a terminal (captured from it)
};

inline CliOptions WithInput(std::vector<std::uint8_t> input) {
    return {.input = std::move(input)};
}

// kalvero-cli as a child process in a folder: the built binary, or the one
// KALVERO_CLI names, run through KALVERO_CLI_RUNNER when that is set (wine
// for the Windows build).
class CliProcess {
public:
    CliProcess(const std::filesystem::path& folder, const std::vector<std::string>& arguments,
               const CliOptions& options = {});
    ~CliProcess();
    CliProcess(const CliProcess&) = delete;
    CliProcess& operator=(const CliProcess&) = delete;

    pid_t id() const { return child_; }
    // Feeds standard input, collects the output and waits for the end.
    CliRun finish();

    // True when the tests run the Windows build under Wine.
    static bool UnderWine();

private:
    pid_t child_ = -1;
    int input_ = -1;
    int output_ = -1;
    int error_ = -1;
    std::vector<std::uint8_t> inputBytes_;
};

} // namespace kalvero::test
