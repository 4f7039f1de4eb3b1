#include "bios/HuffmanCode.h"

#include <algorithm>
#include <array>
#include <numeric>

namespace kalvero::bios {

std::vector<std::uint8_t> LimitedCodeLengths(std::span<const std::uint32_t> frequencies,
                                             int maxLength) {
    std::vector<std::uint8_t> lengths(frequencies.size(), 0);
    std::vector<std::uint32_t> used;
    for (std::uint32_t symbol = 0; symbol < frequencies.size(); ++symbol) {
        if (frequencies[symbol] != 0) {
            used.push_back(symbol);
        }
    }
    if (used.size() <= 2) {
        for (const std::uint32_t symbol : used) {
            lengths[symbol] = 1;
        }
        return lengths;
    }
    std::stable_sort(used.begin(), used.end(), [&](std::uint32_t a, std::uint32_t b) {
        return frequencies[a] < frequencies[b];
    });

    // Each level's list merges the leaves with the pairs of the level below;
    // only whether an item is a leaf needs keeping to count the lengths.
    const std::size_t n = used.size();
    std::vector<std::uint64_t> below;
    for (const std::uint32_t symbol : used) {
        below.push_back(frequencies[symbol]);
    }
    std::vector<std::vector<bool>> isLeaf(static_cast<std::size_t>(maxLength));
    isLeaf[0].assign(n, true);
    for (std::size_t level = 1; level < isLeaf.size(); ++level) {
        std::vector<std::uint64_t> merged;
        merged.reserve(n + below.size() / 2);
        std::size_t leaf = 0;
        std::size_t pair = 0;
        while (leaf < n || pair + 1 < below.size()) {
            const bool takeLeaf =
                pair + 1 >= below.size() ||
                (leaf < n && frequencies[used[leaf]] <= below[pair] + below[pair + 1]);
            if (takeLeaf) {
                merged.push_back(frequencies[used[leaf++]]);
            } else {
                merged.push_back(below[pair] + below[pair + 1]);
                pair += 2;
            }
            isLeaf[level].push_back(takeLeaf);
        }
        below = std::move(merged);
    }
    std::size_t take = 2 * n - 2;
    for (std::size_t level = isLeaf.size(); level-- > 0;) {
        std::size_t leaves = 0;
        for (std::size_t i = 0; i < take; ++i) {
            leaves += isLeaf[level][i] ? 1 : 0;
        }
        for (std::size_t i = 0; i < leaves; ++i) {
            ++lengths[used[i]];
        }
        take = 2 * (take - leaves);
    }
    return lengths;
}

std::vector<std::uint16_t> CanonicalCodes(std::span<const std::uint8_t> lengths) {
    std::array<std::uint32_t, 33> next{};
    for (const std::uint8_t length : lengths) {
        ++next[length];
    }
    next[0] = 0;
    std::uint32_t code = 0;
    for (std::size_t length = 1; length < next.size(); ++length) {
        const std::uint32_t count = next[length];
        next[length] = code;
        code = (code + count) << 1;
    }
    std::vector<std::uint16_t> codes(lengths.size(), 0);
    for (std::size_t symbol = 0; symbol < lengths.size(); ++symbol) {
        if (lengths[symbol] != 0) {
            codes[symbol] = static_cast<std::uint16_t>(next[lengths[symbol]]++);
        }
    }
    return codes;
}

} // namespace kalvero::bios
