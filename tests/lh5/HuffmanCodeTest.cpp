#include "lh5/HuffmanCode.h"

#include <array>
#include <gtest/gtest.h>

namespace kalvero::lh5 {
namespace {

using Counts = std::vector<std::uint32_t>;
using Lengths = std::vector<std::uint8_t>;

const Counts Fibonacci{1, 1, 2, 3, 5, 8, 13, 21};

TEST(LimitedCodeLengths, HuffmanWithinTheLimit) {
    const struct {
        Counts counts;
        int limit;
        Lengths lengths;
    } cases[] = {
        {{}, 16, {}},
        {{0, 5, 0}, 16, {0, 1, 0}},
        {{0, 3, 0, 1}, 16, {0, 1, 0, 1}},
        {{1, 1, 2, 4}, 16, {3, 3, 2, 1}},
        {Fibonacci, 16, {7, 7, 6, 5, 4, 3, 2, 1}},
        // At most 4 bits: of the codes that fit, 4,4,4,4,3,3,2,2 costs 135
        // bits, the least (1,3,...: 140; 2,3,3,3,3,3,4,4: 143).
        {Fibonacci, 4, {4, 4, 4, 4, 3, 3, 2, 2}},
    };
    for (const auto& [counts, limit, lengths] : cases) {
        EXPECT_EQ(LimitedCodeLengths(counts, limit), lengths) << counts.size() << " " << limit;
    }
}

TEST(CheapestCodeLengths, WeighsWhatEachLengthCostsToWrite) {
    const std::array<std::uint32_t, 17> free{};
    std::array<std::uint32_t, 17> onlyTwoIsCheap{};
    onlyTwoIsCheap.fill(10);
    onlyTwoIsCheap[2] = 0;
    const struct {
        Counts counts;
        std::span<const std::uint32_t> costs;
        int limit;
        Lengths lengths;
    } cases[] = {
        {{0, 4, 0, 4}, free, 16, {0, 1, 0, 1}},
        {Fibonacci, free, 4, {4, 4, 4, 4, 3, 3, 2, 2}},
        // 3,3,2,1 spends 14 bits on the codes and 30 on lengths; 2,2,2,2 16 and 0.
        {{1, 1, 2, 4}, onlyTwoIsCheap, 16, {2, 2, 2, 2}},
    };
    for (const auto& [counts, costs, limit, lengths] : cases) {
        EXPECT_EQ(CheapestCodeLengths(counts, costs, limit), lengths) << counts.size();
    }
}

} // namespace
} // namespace kalvero::lh5
