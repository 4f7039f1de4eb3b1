#pragma once

#include "support/TempDir.h"

#include <QImage>
#include <QProcess>
#include <QStringList>
#include <algorithm>
#include <gtest/gtest.h>
#include <ostream>
#include <sys/resource.h>

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

inline CliRun Succeeded(const std::string& out = "") {
    return {0, out, ""};
}

inline CliRun Failed(const std::string& message) {
    return {1, "", "kalvero-cli: " + message + "\n"};
}

inline const std::vector<std::uint8_t> OldBytes{'o', 'l', 'd'};

// A 136-pixel-wide bitmap of 2 or 16 colours, every pixel 0; rows are stored bottom up.
inline std::vector<std::uint8_t> Bitmap(int colours, int height) {
    std::vector<std::uint8_t> bytes(colours == 2 ? 62 + 20 * height : 118 + 68 * height, 0);
    bytes[0] = 'B';
    bytes[1] = 'M';
    return bytes;
}

// An EPA version-1 logo: attributes 15, glyphs empty.
inline std::vector<std::uint8_t> Logo(bool tall) {
    std::vector<std::uint8_t> bytes(tall ? 2367 : 1602, 0);
    bytes[0] = 17;
    bytes[1] = tall ? 9 : 6;
    std::fill_n(bytes.begin() + 2, tall ? 153 : 102, 15);
    return bytes;
}

// A fresh folder per test, in which kalvero-cli runs.
class CliTest : public ::testing::Test {
protected:
    // fileSizeLimit: the most bytes a file of the run may have, 0 for no limit.
    CliRun run(const QStringList& arguments, rlim_t fileSizeLimit = 0) const {
        QProcess process;
        process.setWorkingDirectory(QString::fromStdString(dir.path().string()));
        if (fileSizeLimit != 0) {
            process.setChildProcessModifier([fileSizeLimit] {
                const rlimit limit{fileSizeLimit, fileSizeLimit};
                ::setrlimit(RLIMIT_FSIZE, &limit);
            });
        }
        process.start(KALVERO_CLI_PATH, arguments);
        EXPECT_TRUE(process.waitForFinished(120000) && process.exitStatus() == QProcess::NormalExit)
            << arguments.join(' ').toStdString();
        return {process.exitCode(), process.readAllStandardOutput().toStdString(),
                process.readAllStandardError().toStdString()};
    }
    void write(const std::string& name, const std::vector<std::uint8_t>& bytes) const {
        WriteBytes(dir.file(name), bytes);
    }
    std::vector<std::uint8_t> read(const std::string& name) const {
        return ReadBytes(dir.file(name));
    }
    QImage png(const std::string& name) const {
        return QImage(QString::fromStdString(dir.file(name).string()), "PNG");
    }

    TempDir dir;
};

} // namespace kalvero::test
