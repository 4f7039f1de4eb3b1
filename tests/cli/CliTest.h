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

inline void PutLittleEndian(Bytes& bytes, std::size_t at, std::int64_t value, int length) {
    for (int i = 0; i < length; ++i) {
        bytes[at + static_cast<std::size_t>(i)] = static_cast<std::uint8_t>(value >> (8 * i));
    }
}

// A 136-pixel-wide bitmap of 2 or 16 colours, every pixel 0; rows are stored
// bottom up, and the header says so.
inline Bytes Bitmap(int colours, int height) {
    const int pixels = colours == 2 ? 62 : 118;
    Bytes bytes(static_cast<std::size_t>(pixels + (colours == 2 ? 20 : 68) * height), 0);
    bytes[0] = 'B';
    bytes[1] = 'M';
    PutLittleEndian(bytes, 2, static_cast<std::int64_t>(bytes.size()), 4);
    PutLittleEndian(bytes, 10, pixels, 4);
    PutLittleEndian(bytes, 14, 40, 4);     // header length
    PutLittleEndian(bytes, 18, 136, 4);    // width
    PutLittleEndian(bytes, 22, height, 4); // positive: bottom up
    PutLittleEndian(bytes, 26, 1, 2);      // planes
    PutLittleEndian(bytes, 28, colours == 2 ? 1 : 4, 2);
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

    TempDir dir;
};

// Cases that Windows (the build under Wine) cannot have: links, devices,
// signals, permissions, names that are not UTF-8.
#define SKIP_UNDER_WINE()                                                                          \
    if (CliProcess::UnderWine()) {                                                                 \
        GTEST_SKIP() << "not on Windows";                                                          \
    }

} // namespace kalvero::test
