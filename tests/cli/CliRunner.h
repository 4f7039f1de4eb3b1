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

// Runs the built kalvero-cli with these arguments in folder and waits for it;
// a fileSizeLimit (bytes) keeps it from making any file larger than that.
CliRun RunCli(const QStringList& arguments, const std::filesystem::path& folder,
              std::optional<std::uint64_t> fileSizeLimit = std::nullopt);

// A fresh folder per test, in which kalvero-cli runs.
class CliTest : public ::testing::Test {
protected:
    CliRun run(const QStringList& arguments) const { return RunCli(arguments, dir.path()); }
    // The path of a file in the folder, as an argument.
    QString arg(const std::string& name) const;

    TempDir dir;
};

} // namespace kalvero::test
