#pragma once

#include "support/TempDir.h"

#include <QStringList>
#include <cstdint>
#include <filesystem>
#include <gtest/gtest.h>
#include <optional>
#include <ostream>
#include <string>

namespace kalvero::test {

struct CliRun {
    int exitCode = -1;
    std::string out;
    std::string err;
    friend bool operator==(const CliRun&, const CliRun&) = default;
    friend void PrintTo(const CliRun& run, std::ostream* os) {
        *os << "exit " << run.exitCode << ", out \"" << run.out << "\", err \"" << run.err << "\"";
    }
};

// A run that succeeded, printing out and nothing on standard error.
CliRun Succeeded(const std::string& out = "");
// A run that failed on a file: exit status 1, "kalvero-cli: MESSAGE" alone on
// standard error.
CliRun Failed(const std::string& message);

// What sets a run apart from a plain one.
struct CliConditions {
    std::optional<std::uint64_t> fileSizeLimit = std::nullopt; // bytes a file may have
    // As the user nobody when the tests run as root, so that permissions bind.
    bool unprivileged = false;
    // With the ChangeOnOpen library, which changes files whose names say so
    // between the moment their length is taken and their reading.
    bool changeOnOpen = false;
};

// Runs the built kalvero-cli with these arguments in folder and waits for it.
CliRun RunCli(const QStringList& arguments, const std::filesystem::path& folder,
              const CliConditions& conditions = {});

// The most memory in kilobytes that any finished run of this test program used.
long PeakRunMemoryKilobytes();

// Why an unprivileged run cannot be made here (root without setpriv), or
// nothing.
std::optional<std::string> UnprivilegedRunMissing();

// A fresh folder per test, in which kalvero-cli runs.
class CliTest : public ::testing::Test {
protected:
    CliRun run(const QStringList& arguments, const CliConditions& conditions = {}) const {
        return RunCli(arguments, dir.path(), conditions);
    }

    TempDir dir;
};

} // namespace kalvero::test
