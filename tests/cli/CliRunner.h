#pragma once

#include "support/TempDir.h"

#include <QStringList>
#include <cstdint>
#include <filesystem>
#include <gtest/gtest.h>
#include <optional>
#include <string>

namespace kalvero::test {

struct CliRun {
    int exitCode = -1;
    std::string out;
    std::string err;
};

// What sets a run apart from a plain one.
struct CliConditions {
    // Keeps kalvero-cli from making any file larger than this (bytes).
    std::optional<std::uint64_t> fileSizeLimit;
    // Runs it as the user nobody when the tests run as root (see
    // UnprivilegedRunMissing), so that permissions bind it.
    bool unprivileged = false;
    // Preloads the ChangeOnOpen library, which changes files whose names say
    // so between the moment their length is taken and their reading.
    bool changeOnOpen = false;
};

// Runs the built kalvero-cli with these arguments in folder and waits for it.
CliRun RunCli(const QStringList& arguments, const std::filesystem::path& folder,
              const CliConditions& conditions);
CliRun RunCli(const QStringList& arguments, const std::filesystem::path& folder,
              std::optional<std::uint64_t> fileSizeLimit = std::nullopt);

// Why an unprivileged run cannot be made here (root without setpriv), or
// nothing.
std::optional<std::string> UnprivilegedRunMissing();

// A fresh folder per test, in which kalvero-cli runs.
class CliTest : public ::testing::Test {
protected:
    CliRun run(const QStringList& arguments) const { return RunCli(arguments, dir.path()); }
    // The path of a file in the folder, as an argument.
    QString arg(const std::string& name) const;

    TempDir dir;
};

} // namespace kalvero::test
