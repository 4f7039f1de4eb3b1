#include "conversion/BmpFormat.h"

#include <gtest/gtest.h>

namespace kalvero {
namespace {

TEST(ClassifyBmpSize, OnlyTheFourSizesAreAccepted) {
    const std::pair<std::uint64_t, BmpKind> cases[] = {
        {0, BmpKind::NotAccepted},    {1741, BmpKind::NotAccepted},
        {1742, BmpKind::Mono84},      {1743, BmpKind::NotAccepted},
        {2582, BmpKind::Mono126},     {2581, BmpKind::NotAccepted},
        {5829, BmpKind::NotAccepted}, {5830, BmpKind::Colour84},
        {8686, BmpKind::Colour126},   {8687, BmpKind::NotAccepted},
        {1602, BmpKind::NotAccepted}, {1ULL << 31, BmpKind::NotAccepted},
    };
    for (const auto& [length, kind] : cases) {
        EXPECT_EQ(ClassifyBmpSize(length), kind) << length;
    }
    EXPECT_TRUE(IsTallBmp(BmpKind::Mono126));
    EXPECT_FALSE(IsTallBmp(BmpKind::Colour84));
    EXPECT_TRUE(IsColourBmp(BmpKind::Colour126));
    EXPECT_FALSE(IsColourBmp(BmpKind::Mono84));
}

} // namespace
} // namespace kalvero
