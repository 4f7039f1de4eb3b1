#pragma once

#include "lh5/Lh5Format.h"

#include <array>
#include <cstdint>

namespace kalvero::lh5 {

// One code of a block: a literal (symbol 0..255) or a match (the symbol of
// its length and offset = distance - 1).
struct Lh5Code {
    std::uint16_t symbol = 0;
    std::uint16_t offset = 0;
};

// How often each symbol of the character and position tables occurs in a
// block, and the extra position bits its matches take.
struct Lh5Frequencies {
    std::array<std::uint32_t, CharCodes> chars{};
    std::array<std::uint32_t, PositionCodes> positions{};
    std::uint32_t codes = 0;
    std::uint64_t extraBits = 0;

    void Add(Lh5Code code) {
        ++codes;
        ++chars[code.symbol];
        if (code.symbol >= LiteralCodes) {
            const int position = PositionCode(code.offset);
            ++positions[static_cast<std::size_t>(position)];
            extraBits += static_cast<std::uint64_t>(PositionExtraBits(position));
        }
    }
};

} // namespace kalvero::lh5
