#include "lh5/MatchFinder.h"

#include "support/TestBytes.h"

#include <gtest/gtest.h>
#include <string_view>

namespace kalvero::lh5 {
namespace {

using Matches = std::vector<std::pair<int, int>>; // length, distance

Matches At(const MatchFinder& finder, std::size_t position) {
    Matches matches;
    for (const MatchFinder::Match match : finder.at(position)) {
        matches.emplace_back(match.length, match.distance);
    }
    return matches;
}

TEST(MatchFinder, NearestMatchOfEachLength) {
    const std::string_view text = "abcdZabceYabcdX xyzxyzxyz";
    const MatchFinder finder(
        std::span(reinterpret_cast<const std::uint8_t*>(text.data()), text.size()));
    const std::pair<std::size_t, Matches> cases[] = {
        {0, {}},
        {5, {{3, 5}}},           // "abc" of "abcd"
        {10, {{3, 5}, {4, 10}}}, // "abc" nearer, "abcd" farther
        {11, {{3, 10}}},         // "bcd" only 10 back
        {19, {{6, 3}}},          // "xyzxyz", up to the end
        {22, {{3, 3}}},          // the nearest of two
        {23, {}},                // fewer than 3 bytes left
    };
    for (const auto& [position, matches] : cases) {
        EXPECT_EQ(At(finder, position), matches) << position;
    }
}

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
