#include "document/EpaFormat.h"

#include "support/TempDir.h"

#include <gtest/gtest.h>

namespace kalvero {
namespace {

using Bytes = std::vector<std::uint8_t>;

TEST(ClassifyEpaLength, OnlyFourLengthsAreKnown) {
    using enum EpaLengthClass;
    const std::pair<std::uint64_t, EpaLengthClass> cases[] = {
        {0, NotAccepted},    {1601, NotAccepted}, {1602, ShortLogo},   {1603, NotAccepted},
        {2366, NotAccepted}, {2367, TallLogo},    {2368, NotAccepted}, {5771, NotAccepted},
        {5772, Version2},    {8628, Version2},    {8629, NotAccepted}, {1742, NotAccepted},
    };
    for (const auto& [length, expected] : cases) {
        EXPECT_EQ(ClassifyEpaLength(length), expected) << length;
    }
}

// The BIOS reads the count bytes: only 17 x 6 in 1602 bytes and 17 x 9 in
// 2367 are taken; a refused file leaves the document as it was.
TEST(ReadEpa, CountBytesMustFitTheLength) {
    const test::TempDir dir;
    const std::tuple<std::size_t, std::uint8_t, std::uint8_t, std::string> cases[] = {
        {1602, 17, 6, ""},
        {2367, 17, 9, ""},
        {1602, 255, 255, "count bytes say 255 x 255 cells, where its 1602 bytes hold 17 x 6"},
        {1602, 17, 9, "say 17 x 9 cells"},
        {1602, 0, 0, "say 0 x 0 cells"},
        {1602, 17, 0, "say 17 x 0 cells"},
        {1602, 1, 1, "say 1 x 1 cells"},
        {2367, 17, 6, "say 17 x 6 cells, where its 2367 bytes hold 17 x 9"},
    };
    for (const auto& [length, columns, rows, reason] : cases) {
        Bytes bytes(length, 0x11);
        bytes[0] = columns, bytes[1] = rows;
        test::WriteBytes(dir.file("s.epa"), bytes);
        LogoDocument document;
        document.InitFromTemplate(); // leftovers of a tall logo behind position 1602
        const FileStatus read = ReadEpa(document, dir.file("s.epa"));
        if (!reason.empty()) {
            ASSERT_FALSE(read.ok()) << reason;
            EXPECT_EQ(read.error().problem, FileProblem::NotAccepted);
            EXPECT_NE(read.error().reason.english().find(reason), std::string::npos)
                << read.error().reason.english();
            EXPECT_EQ(document.EpaData(1602), 0) << reason;
            continue;
        }
        ASSERT_TRUE(read.ok()) << read.error().reason.english();
        EXPECT_EQ(document.TallLogo(), length == 2367);
        EXPECT_EQ(document.EpaData(static_cast<int>(length)), 0x11);
        for (int position = static_cast<int>(length) + 1; position <= 2367; ++position) {
            ASSERT_EQ(document.EpaData(position), 0) << position;
        }
    }
}

TEST(WriteEpa, ShortLogoGetsRowsSixAndTheFixedTrailerTallIsWrittenAsHeld) {
    Bytes filled(2367);
    for (std::size_t i = 0; i < filled.size(); ++i) {
        filled[i] = static_cast<std::uint8_t>((i + 1) * 7);
    }
    LogoDocument document;
    document.openedFile("tall.epa", filled);
    EXPECT_EQ(WriteEpa(document), filled);

    filled.resize(1602);
    filled[0] = 33; // a strange columns byte is kept
    document.openedFile("short.epa", filled);
    const Bytes bytes = WriteEpa(document);
    ASSERT_EQ(bytes.size(), 1602U);
    EXPECT_EQ(Bytes(bytes.begin(), bytes.begin() + 3), (Bytes{33, 6, 3 * 7}));
    EXPECT_EQ(bytes[1531], std::uint8_t(1532 * 7)); // last glyph byte
    EXPECT_EQ(Bytes(bytes.begin() + 1532, bytes.begin() + 1546),
              (Bytes{7, 31, 31, 63, 63, 127, 127, 127, 63, 63, 31, 31, 7, 0}));
    EXPECT_EQ(bytes[1601], 0);
}

} // namespace
} // namespace kalvero
