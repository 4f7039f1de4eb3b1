#include "lh5/OptimalParse.h"

#include <algorithm>
#include <array>
#include <limits>

namespace kalvero::lh5 {

std::vector<Lh5Code> CheapestCodes(std::span<const std::uint8_t> data, const MatchFinder& finder,
                                   std::size_t begin, std::size_t end, const CodePrices& prices) {
    const std::size_t size = end - begin;
    struct Step {
        std::uint32_t cost = std::numeric_limits<std::uint32_t>::max();
        std::uint16_t length = 0; // 1 for a literal
        std::uint16_t distance = 0;
    };
    std::vector<Step> steps(size + 1);
    steps[0].cost = 0;
    // For each match at a position, the cheapest position price of it and
    // the longer ones after it (each of those covers its lengths too).
    std::array<std::uint32_t, MaxMatch> positionPrice{};
    std::array<std::uint16_t, MaxMatch> positionDistance{};
    for (std::size_t at = 0; at < size; ++at) {
        const std::uint32_t cost = steps[at].cost;
        const std::uint8_t byte = data[begin + at];
        Step& next = steps[at + 1];
        if (cost + prices.chars[byte] < next.cost) {
            next = {cost + prices.chars[byte], 1, 0};
        }
        const std::span<const MatchFinder::Match> matches = finder.at(begin + at);
        if (matches.empty()) {
            continue;
        }
        std::uint32_t cheapest = std::numeric_limits<std::uint32_t>::max();
        std::uint16_t cheapestDistance = 0;
        for (std::size_t k = matches.size(); k-- > 0;) {
            const std::uint16_t distance = matches[k].distance;
            const std::uint32_t price = prices.positions[static_cast<std::size_t>(
                PositionCode(static_cast<unsigned>(distance - 1)))];
            if (price < cheapest) {
                cheapest = price;
                cheapestDistance = distance;
            }
            positionPrice[k] = cheapest;
            positionDistance[k] = cheapestDistance;
        }
        const std::size_t room = size - at;
        if (matches.back().length == MaxMatch && room >= MaxMatch) {
            // A match as long as the format allows is taken as it is: the
            // parse jumps over it instead of trying every length inside.
            Step& reached = steps[at + MaxMatch];
            const std::uint32_t total = cost + positionPrice[matches.size() - 1] +
                                        prices.chars[static_cast<std::size_t>(MatchCode(MaxMatch))];
            if (total < reached.cost) {
                reached = {total, MaxMatch, positionDistance[matches.size() - 1]};
            }
            at += MaxMatch - 1;
            continue;
        }
        std::size_t length = MinMatch;
        for (std::size_t k = 0; k < matches.size() && length <= room; ++k) {
            const std::size_t last = std::min<std::size_t>(matches[k].length, room);
            const std::uint32_t base = cost + positionPrice[k];
            for (; length <= last; ++length) {
                const std::uint32_t total =
                    base +
                    prices.chars[static_cast<std::size_t>(MatchCode(static_cast<int>(length)))];
                Step& reached = steps[at + length];
                if (total < reached.cost) {
                    reached = {total, static_cast<std::uint16_t>(length), positionDistance[k]};
                }
            }
        }
    }

    std::vector<Lh5Code> codes;
    for (std::size_t at = size; at > 0;) {
        const Step& step = steps[at];
        at -= step.length;
        codes.push_back(step.length == 1
                            ? Lh5Code{data[begin + at], 0}
                            : Lh5Code{static_cast<std::uint16_t>(MatchCode(step.length)),
                                      static_cast<std::uint16_t>(step.distance - 1)});
    }
    std::reverse(codes.begin(), codes.end());
    return codes;
}

} // namespace kalvero::lh5
