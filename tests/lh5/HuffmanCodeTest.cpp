#include "lh5/HuffmanCode.h"

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

} // namespace
} // namespace kalvero::lh5
