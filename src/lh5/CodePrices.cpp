#include "lh5/CodePrices.h"

#include <algorithm>
#include <cmath>
#include <numeric>

namespace kalvero::lh5 {

namespace {

template <std::size_t N>
void PricesFromLengths(std::span<const std::uint8_t, N> lengths, int single,
                       std::array<std::uint32_t, N>& prices) {
    if (single >= 0) {
        // The one symbol of a table is free; another would make it a real
        // table of 1-bit codes.
        prices.fill(2 * CodePrices::Bit);
        prices[static_cast<std::size_t>(single)] = 0;
        return;
    }
    const std::uint32_t longest = *std::max_element(lengths.begin(), lengths.end());
    for (std::size_t symbol = 0; symbol < N; ++symbol) {
        const std::uint32_t length = lengths[symbol];
        prices[symbol] = (length != 0 ? length : longest + 2) * CodePrices::Bit;
    }
}

template <std::size_t N>
void PricesFromCounts(const std::array<std::uint32_t, N>& counts,
                      std::array<std::uint32_t, N>& prices) {
    const double total = std::accumulate(counts.begin(), counts.end(), 0.0);
    for (std::size_t symbol = 0; symbol < N; ++symbol) {
        const double count = counts[symbol] != 0 ? counts[symbol] : 0.25;
        const double bits = std::clamp(std::log2((total + 1) / count), 1.0, 20.0);
        prices[symbol] = static_cast<std::uint32_t>(bits * CodePrices::Bit + 0.5);
    }
}

void AddExtraBits(std::array<std::uint32_t, PositionCodes>& prices) {
    for (int code = 0; code < PositionCodes; ++code) {
        prices[static_cast<std::size_t>(code)] +=
            static_cast<std::uint32_t>(PositionExtraBits(code)) * CodePrices::Bit;
    }
}

} // namespace

CodePrices CodePrices::Flat(std::uint32_t literalBits, std::uint32_t matchBits,
                            std::uint32_t positionBits) {
    CodePrices prices;
    std::fill(prices.chars.begin(), prices.chars.begin() + LiteralCodes, literalBits * Bit);
    std::fill(prices.chars.begin() + LiteralCodes, prices.chars.end(), matchBits * Bit);
    std::fill(prices.positions.begin(), prices.positions.end(), positionBits * Bit);
    AddExtraBits(prices.positions);
    return prices;
}

CodePrices CodePrices::FromTables(const BlockTables& tables) {
    CodePrices prices;
    PricesFromLengths(tables.charLengths(), tables.charSingle(), prices.chars);
    PricesFromLengths(tables.positionLengths(), tables.positionSingle(), prices.positions);
    AddExtraBits(prices.positions);
    return prices;
}

CodePrices CodePrices::FromTablesAndEntries(const BlockTables& tables,
                                            const Lh5Frequencies& frequencies) {
    // About what a length costs in the length table's code.
    constexpr std::uint32_t EntryBits = 4;
    CodePrices prices = FromTables(tables);
    if (tables.charSingle() < 0) {
        for (std::size_t symbol = 0; symbol < CharCodes; ++symbol) {
            if (frequencies.chars[symbol] != 0) {
                prices.chars[symbol] += EntryBits * Bit / frequencies.chars[symbol];
            }
        }
    }
    return prices;
}

CodePrices CodePrices::FromFrequencies(const Lh5Frequencies& frequencies) {
    CodePrices prices;
    PricesFromCounts(frequencies.chars, prices.chars);
    PricesFromCounts(frequencies.positions, prices.positions);
    AddExtraBits(prices.positions);
    return prices;
}

} // namespace kalvero::lh5
