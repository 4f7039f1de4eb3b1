#pragma once

#include "cli/CliProcess.h"
#include "support/TempDir.h"

#include <QImage>
#include <algorithm>
#include <gtest/gtest.h>

namespace kalvero::test {

using Arguments = std::vector<std::string>;
using Bytes = std::vector<std::uint8_t>;

inline CliRun Succeeded(const std::string& out = "") {
    return {0, out, ""};
}

inline CliRun Failed(const std::string& message) {
    return {1, "", "kalvero-cli: " + message + "\n"};
}

inline const Bytes OldBytes{'o', 'l', 'd'};

// A 136-pixel-wide bitmap of 2 or 16 colours, every pixel 0; rows are stored bottom up.
inline Bytes Bitmap(int colours, int height) {
    Bytes bytes(colours == 2 ? 62 + 20 * height : 118 + 68 * height, 0);
    bytes[0] = 'B';
    bytes[1] = 'M';
    return bytes;
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
    static QImage PngOf(const std::string& bytes) {
        return QImage::fromData(reinterpret_cast<const uchar*>(bytes.data()),
                                static_cast<int>(bytes.size()), "PNG");
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
