#pragma once

#include "lh5/CodePrices.h"
#include "lh5/Lh5Code.h"
#include "lh5/MatchFinder.h"

#include <cstddef>
#include <span>
#include <vector>

namespace kalvero::lh5 {

// The cheapest codes for data[begin, end) at these prices: a shortest path
// over the positions, each step a literal or a match of any length the
// finder offers there. Matches may reach back before begin.
std::vector<Lh5Code> CheapestCodes(std::span<const std::uint8_t> data, const MatchFinder& finder,
                                   std::size_t begin, std::size_t end, const CodePrices& prices);

} // namespace kalvero::lh5
