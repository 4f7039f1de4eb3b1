#pragma once

#include "lh5/BlockTables.h"
#include "lh5/Lh5Format.h"

#include <array>
#include <cstdint>

namespace kalvero::lh5 {

// What each code costs in the block being parsed, in sixteenths of a bit.
// A position's price holds its extra bits.
struct CodePrices {
    static constexpr std::uint32_t Bit = 16;

    std::array<std::uint32_t, CharCodes> chars{};
    std::array<std::uint32_t, PositionCodes> positions{};

    // Before anything is known: every literal, match length and position
    // code at one price of its kind, in bits (a position's extra bits added).
    static CodePrices Flat(std::uint32_t literalBits, std::uint32_t matchBits,
                           std::uint32_t positionBits);
    // The lengths of a block's tables; a symbol the tables lack costs a few
    // bits more than their longest code.
    static CodePrices FromTables(const BlockTables& tables);
    // FromTables, and each used character's share of the bits its entry in
    // the table takes: a parse that drops a rare symbol saves its entry.
    static CodePrices FromTablesAndEntries(const BlockTables& tables,
                                           const Lh5Frequencies& frequencies);
    // The information content of each symbol at these frequencies.
    static CodePrices FromFrequencies(const Lh5Frequencies& frequencies);
};

} // namespace kalvero::lh5
