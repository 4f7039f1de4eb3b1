#pragma once

#include "conversion/BmpWriter.h"
#include "support/TempDir.h"

#include <QImage>
#include <algorithm>
#include <cstdint>
#include <filesystem>
#include <gtest/gtest.h>
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
    std::filesystem::path inputFile{};  // or standard input from this file
    std::filesystem::path outputFile{}; // standard output goes here (e.g. /dev/full), else captured
    bool terminal = false;              // standard error is a terminal (captured from it)
    bool hangUpIgnored = false;         // SIGHUP ignored from the start, as under nohup
    // The locale's variables ("LANG=de_DE.UTF-8"); none is set otherwise.
    std::vector<std::string> locale{};
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
    // Collects the output and waits for the end.
    CliRun finish();

    // True when the tests run the Windows build under Wine.
    static bool UnderWine();

private:
    pid_t child_ = -1;
    int output_ = -1;
    int error_ = -1;
};

using Arguments = std::vector<std::string>;
using Bytes = std::vector<std::uint8_t>;

inline CliRun Succeeded(const std::string& out = "") {
    return {0, out, ""};
}

inline CliRun Failed(const std::string& message) {
    return {1, "", "kalvero-cli: " + message + "\n"};
}

inline const Bytes OldBytes{'o', 'l', 'd'};

inline void PutLittleEndian(Bytes& bytes, std::size_t at, std::int64_t value, int length) {
    for (int i = 0; i < length; ++i) {
        bytes[at + static_cast<std::size_t>(i)] = static_cast<std::uint8_t>(value >> (8 * i));
    }
}

// A 136-pixel-wide bitmap of 2 or 16 colours, every pixel 0.
inline Bytes Bitmap(int colours, int height) {
    const auto pixels = static_cast<std::size_t>(136 * height);
    return colours == 2 ? MonoBmpFile(Bytes(pixels / 8), height)
                        : ColourBmpFile(Bytes(pixels), 136, height, Bytes(64));
}

// An EPA version-1 logo: attributes 15, glyphs empty.
inline Bytes Logo(bool tall) {
    Bytes bytes(tall ? 2367 : 1602, 0);
    bytes[0] = 17;
    bytes[1] = tall ? 9 : 6;
    std::fill_n(bytes.begin() + 2, tall ? 153 : 102, 15);
    return bytes;
}

inline std::string Joined(const Arguments& arguments) {
    std::string line;
    for (const std::string& argument : arguments) {
        line += (line.empty() ? "" : " ") + argument;
    }
    return line;
}

// A fresh folder per test, in which kalvero-cli runs.
class CliTest : public ::testing::Test {
protected:
    CliRun run(const Arguments& arguments, const CliOptions& options = {}) const {
        return CliProcess(dir.path(), arguments, options).finish();
    }
    void write(const std::string& name, const Bytes& bytes) const {
        WriteBytes(dir.file(name), bytes);
    }
    Bytes read(const std::string& name) const { return ReadBytes(dir.file(name)); }
    QImage png(const std::string& name) const {
        return QImage(QString::fromStdString(dir.file(name).string()), "PNG");
    }

    TempDir dir;
};

// Cases that Windows (the build under Wine) cannot have: links, devices,
// signals, permissions, names that are not UTF-8.
#define SKIP_UNDER_WINE()                                                                          \
    if (CliProcess::UnderWine()) {                                                                 \
        GTEST_SKIP() << "not on Windows";                                                          \
    }

} // namespace kalvero::test
