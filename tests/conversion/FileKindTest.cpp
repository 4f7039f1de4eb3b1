#include "conversion/FileKind.h"

#include "conversion/Epa2TestFile.h"

#include <gtest/gtest.h>
#include <vector>

namespace kalvero {
namespace {

using test::Epa2Header;

TEST(ClassifyFile, LengthAndHeaderTellTheKind) {
    struct Case {
        std::uint64_t length;
        std::vector<std::uint8_t> head;
        FileType type;
        int width;
        int height;
        int colours;
    };
    const Case cases[] = {
        {1602, {}, FileType::EpaLogo, 136, 84, 16},
        {2367, Epa2Header(136, 126), FileType::EpaLogo, 136, 126, 16}, // the length wins
        {1742, {}, FileType::Bitmap, 136, 84, 2},
        {2582, {}, FileType::Bitmap, 136, 126, 2},
        {5830, {}, FileType::Bitmap, 136, 84, 16},
        {8686, Epa2Header(136, 126), FileType::Bitmap, 136, 126, 16},
        {5772, Epa2Header(136, 84), FileType::Epa2Image, 136, 84, 16},
        {8628, Epa2Header(136, 126), FileType::Epa2Image, 136, 126, 16},
        // 8 + 4992 + 4 + 768: the same length as a 16-colour 136 x 84 image
        {5772, Epa2Header(64, 78), FileType::Epa2Image, 64, 78, 256},
        // planes padded to whole bytes: 8 + 3 rows x 4 planes x 2 bytes + 52
        {84, Epa2Header(9, 3), FileType::Epa2Image, 9, 3, 16},
        {8 + 65535ULL * 65535 + 772, Epa2Header(65535, 65535), FileType::Epa2Image, 65535, 65535,
         256},
        {5773, Epa2Header(136, 84), FileType::NotAccepted, 0, 0, 0},
        {5772, std::vector<std::uint8_t>(8, 0), FileType::NotAccepted, 0, 0, 0},
        {5772, {'A', 'W', 'B', 'M'}, FileType::NotAccepted, 0, 0, 0},
        {60, Epa2Header(0, 3), FileType::NotAccepted, 0, 0, 0},
        {0, {}, FileType::NotAccepted, 0, 0, 0},
    };
    for (const Case& c : cases) {
        const FileKind kind = ClassifyFile(c.length, c.head);
        EXPECT_EQ(kind.type, c.type) << c.length;
        EXPECT_EQ(kind.width, c.width) << c.length;
        EXPECT_EQ(kind.height, c.height) << c.length;
        EXPECT_EQ(kind.colours, c.colours) << c.length;
        EXPECT_EQ(kind.reason.empty(), c.type != FileType::NotAccepted) << c.length;
    }
}

TEST(ClassifyFile, OnlyEpaLogosAndBitmapsAreKnownByLength) {
    for (const std::uint64_t length : {1602, 2367, 1742, 2582, 5830, 8686}) {
        EXPECT_TRUE(KnownByLength(length)) << length;
    }
    for (const std::uint64_t length : {0, 5772, 8628, 1603, 8687}) {
        EXPECT_FALSE(KnownByLength(length)) << length;
    }
}

} // namespace
} // namespace kalvero
