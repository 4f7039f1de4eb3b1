#include "document/EpaFormat.h"

#include "support/TempDir.h"

#include <gtest/gtest.h>

namespace kalvero {
namespace {

TEST(ClassifyEpaLength, OnlyFourLengthsAreKnown) {
    const std::pair<std::uint64_t, EpaLengthClass> cases[] = {
        {0, EpaLengthClass::NotAccepted},          {1601, EpaLengthClass::NotAccepted},
        {1602, EpaLengthClass::ShortLogo},         {1603, EpaLengthClass::NotAccepted},
        {2366, EpaLengthClass::NotAccepted},       {2367, EpaLengthClass::TallLogo},
        {2368, EpaLengthClass::NotAccepted},       {5771, EpaLengthClass::NotAccepted},
        {5772, EpaLengthClass::Version2},          {8628, EpaLengthClass::Version2},
        {8629, EpaLengthClass::NotAccepted},       {1742, EpaLengthClass::NotAccepted},
        {1ULL << 31, EpaLengthClass::NotAccepted},
    };
    for (const auto& [length, expected] : cases) {
        EXPECT_EQ(ClassifyEpaLength(length), expected) << length;
    }
}

class EpaFileTest : public ::testing::Test {
protected:
    test::TempDir dir;
    LogoDocument document;
};

TEST_F(EpaFileTest, ShortFileIsShortWhateverItsRowsByteSays) {
    std::vector<std::uint8_t> bytes(1602, 0x11);
    bytes[0] = 17;
    bytes[1] = 9;
    test::WriteBytes(dir.file("s.epa"), bytes);
    document.InitFromTemplate(); // leftovers of a tall logo behind position 1602

    ASSERT_TRUE(ReadEpa(document, dir.file("s.epa")).ok());
    EXPECT_FALSE(document.TallLogo);
    EXPECT_EQ(document.EpaData(2), 9);
    EXPECT_EQ(document.EpaData(1602), 0x11);
    for (int position = 1603; position <= 2367; ++position) {
        ASSERT_EQ(document.EpaData(position), 0) << position;
    }
}

TEST_F(EpaFileTest, TallFileIsTallWhateverItsHeaderSays) {
    std::vector<std::uint8_t> bytes(2367, 0);
    bytes[1] = 6;
    test::WriteBytes(dir.file("t.epa"), bytes);
    document.TallLogo = false;
    ASSERT_TRUE(ReadEpa(document, dir.file("t.epa")).ok());
    EXPECT_TRUE(document.TallLogo);
}

TEST_F(EpaFileTest, OtherLengthsAreRefusedAndLeaveTheDocument) {
    const std::pair<std::size_t, const char*> cases[] = {
        {0, "wrong size: 0 bytes"},       {1601, "wrong size: 1601 bytes"},
        {1603, "wrong size: 1603 bytes"}, {5772, "EPA version 2.0"},
        {8628, "EPA version 2.0"},
    };
    for (const auto& [length, reason] : cases) {
        test::WriteBytes(dir.file("x.epa"), std::vector<std::uint8_t>(length, 3));
        document.SetCellAttribute(0, 0, 12);
        const FileStatus status = ReadEpa(document, dir.file("x.epa"));
        ASSERT_FALSE(status.ok()) << length;
        EXPECT_EQ(status.error().problem, FileProblem::NotAccepted);
        EXPECT_NE(status.error().reason.find(reason), std::string::npos) << status.error().reason;
        EXPECT_EQ(document.CellAttribute(0, 0), 12);
    }
}

TEST_F(EpaFileTest, ShortLogoIsWrittenWithRowsSixAndTheFixedTrailer) {
    document.TallLogo = false;
    for (int position = 1; position <= 2367; ++position) {
        document.EpaData(position) = 0x5A;
    }
    document.EpaData(1) = 33; // a strange columns byte is kept

    const std::vector<std::uint8_t> bytes = WriteEpa(document);
    ASSERT_EQ(bytes.size(), 1602U);
    EXPECT_EQ(bytes[0], 33);
    EXPECT_EQ(bytes[1], 6);
    EXPECT_EQ(document.EpaData(2), 6);
    EXPECT_EQ(bytes[1531], 0x5A); // last glyph byte
    const std::vector<std::uint8_t> trailerStart(bytes.begin() + 1532, bytes.begin() + 1546);
    EXPECT_EQ(trailerStart,
              (std::vector<std::uint8_t>{7, 31, 31, 63, 63, 127, 127, 127, 63, 63, 31, 31, 7, 0}));
    EXPECT_EQ(bytes[1601], 0);
}

TEST_F(EpaFileTest, TallLogoIsWrittenExactlyAsHeld) {
    for (int position = 1; position <= 2367; ++position) {
        document.EpaData(position) = static_cast<std::uint8_t>(position * 7);
    }
    const std::vector<std::uint8_t> bytes = WriteEpa(document);
    ASSERT_EQ(bytes.size(), 2367U);
    for (int position = 1; position <= 2367; ++position) {
        ASSERT_EQ(bytes[static_cast<std::size_t>(position - 1)],
                  static_cast<std::uint8_t>(position * 7));
    }
}

TEST_F(EpaFileTest, SavingAndReadingBackKeepsEveryPosition) {
    for (const bool tall : {false, true}) {
        LogoDocument original;
        original.TallLogo = tall;
        original.InitFromTemplate();
        for (int position = 3; position <= original.layout().trailerOffset; ++position) {
            original.EpaData(position) = static_cast<std::uint8_t>(position * 31 + 1);
        }
        ASSERT_TRUE(SaveEpaFile(original, dir.file("r.epa")).ok());

        LogoDocument readBack;
        ASSERT_TRUE(ReadEpa(readBack, dir.file("r.epa")).ok());
        EXPECT_EQ(readBack.TallLogo, tall);
        for (int position = 1; position <= original.layout().fileLength; ++position) {
            ASSERT_EQ(readBack.EpaData(position), original.EpaData(position))
                << "tall=" << tall << " position " << position;
        }
    }
}

TEST_F(EpaFileTest, ShortLogoSavedOverLongerFileLeavesExactly1602Bytes) {
    test::WriteBytes(dir.file("o.epa"), std::vector<std::uint8_t>(9000, 0xEE));
    document.TallLogo = false;
    ASSERT_TRUE(SaveEpaFile(document, dir.file("o.epa")).ok());
    EXPECT_EQ(test::ReadBytes(dir.file("o.epa")).size(), 1602U);
    EXPECT_EQ(dir.entries(), std::vector<std::string>{"o.epa"});
}

} // namespace
} // namespace kalvero
