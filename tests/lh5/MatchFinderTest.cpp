#include "lh5/MatchFinder.h"

#include "support/TestBytes.h"

#include <gtest/gtest.h>

namespace kalvero::lh5 {
namespace {

TEST(MatchFinder, ReachesBack8191BytesNotFarther) {
    std::vector<std::uint8_t> data = test::Noise(9000, 5);
    std::copy_n(data.begin() + 100, 12, data.begin() + 100 + 8191);
    std::copy_n(data.begin() + 300, 12, data.begin() + 300 + 8192);
    const MatchFinder finder(data);
    ASSERT_FALSE(finder.at(8291).empty());
    EXPECT_GE(finder.at(8291).back().length, 12);
    EXPECT_EQ(finder.at(8291).back().distance, 8191);
    for (const MatchFinder::Match match : finder.at(8492)) {
        EXPECT_LT(match.length, 12);
    }
}

} // namespace
} // namespace kalvero::lh5
