#include "lh5/DecodeTable.h"

#include <algorithm>

namespace kalvero::lh5 {

bool DecodeTable::Build(std::span<const std::uint8_t> lengths, int lookupBits) {
    lookupBits_ = lookupBits;
    std::array<std::uint16_t, MaxCodeLength + 1> count{};
    for (const std::uint8_t length : lengths) {
        if (length > MaxCodeLength) {
            return false;
        }
        ++count[length];
    }
    constexpr std::uint32_t Whole = std::uint32_t{1} << MaxCodeLength;
    std::uint32_t code = 0;
    std::uint16_t index = 0;
    for (int length = 1; length <= MaxCodeLength; ++length) {
        first_[length] = code;
        index_[length] = index;
        code += std::uint32_t{count[length]} << (MaxCodeLength - length);
        end_[length] = code;
        index = static_cast<std::uint16_t>(index + count[length]);
        if (code > Whole) {
            return false;
        }
    }
    if (code != Whole) {
        return false;
    }

    std::array<std::uint32_t, MaxCodeLength + 1> next = first_;
    std::array<std::uint16_t, MaxCodeLength + 1> slot = index_;
    const int shift = MaxCodeLength - lookupBits;
    for (std::size_t symbol = 0; symbol < lengths.size(); ++symbol) {
        const int length = lengths[symbol];
        if (length == 0) {
            continue;
        }
        sorted_[slot[length]++] = static_cast<std::uint16_t>(symbol);
        const std::uint32_t start = next[length] >> shift;
        next[length] += std::uint32_t{1} << (MaxCodeLength - length);
        if (length <= lookupBits) {
            const auto entry = static_cast<std::uint16_t>(symbol | (length << LengthShift));
            std::fill_n(lookup_.begin() + start, std::size_t{1} << (lookupBits - length), entry);
        } else {
            lookup_[start] = LongCode;
        }
    }
    return true;
}

void DecodeTable::BuildSingle(int symbol) {
    lookupBits_ = 0;
    lookup_[0] = static_cast<std::uint16_t>(symbol);
}

DecodeTable::Symbol DecodeTable::DecodeLong(std::uint32_t window) const {
    int length = lookupBits_ + 1;
    while (window >= end_[length]) {
        ++length;
    }
    const std::uint32_t rank = (window - first_[length]) >> (MaxCodeLength - length);
    return {sorted_[index_[length] + rank], length};
}

} // namespace kalvero::lh5
