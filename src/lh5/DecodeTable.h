#pragma once

#include "lh5/Lh5Format.h"

#include <array>
#include <cstdint>
#include <span>

namespace kalvero::lh5 {

// Turns the next bits of "-lh5-" data into a symbol of one code table. Codes
// up to lookupBits long are found with one table look-up, longer ones by
// their length's range in the canonical order.
class DecodeTable {
public:
    struct Symbol {
        int value;
        int length; // bits the code takes; 0 for a table of one symbol
    };

    // From code lengths (0 for an absent symbol). False unless they form a
    // complete prefix code, the only kind the format can say.
    bool Build(std::span<const std::uint8_t> lengths, int lookupBits);
    // Every symbol is this one, coded in no bits.
    void BuildSingle(int symbol);

    // window: the next 16 bits, first bit highest.
    Symbol Decode(std::uint32_t window) const {
        const std::uint16_t entry = lookup_[window >> (MaxCodeLength - lookupBits_)];
        if ((entry & LongCode) == 0) {
            return {entry & SymbolMask, entry >> LengthShift};
        }
        return DecodeLong(window);
    }

private:
    static constexpr int MaxLookupBits = 12;
    static constexpr std::uint16_t SymbolMask = 0x3FF;
    static constexpr int LengthShift = 10;
    static constexpr std::uint16_t LongCode = 0x8000;

    Symbol DecodeLong(std::uint32_t window) const;

    int lookupBits_ = 0;
    std::array<std::uint16_t, std::size_t{1} << MaxLookupBits> lookup_{};
    // For each length: the first code (16 bits, left-aligned), one past the
    // last code of that length, and where its symbols start in sorted_.
    std::array<std::uint32_t, MaxCodeLength + 1> first_{};
    std::array<std::uint32_t, MaxCodeLength + 1> end_{};
    std::array<std::uint16_t, MaxCodeLength + 1> index_{};
    std::array<std::uint16_t, CharCodes> sorted_{};
};

} // namespace kalvero::lh5
