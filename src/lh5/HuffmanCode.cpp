#include "lh5/HuffmanCode.h"

#include <algorithm>
#include <array>
#include <numeric>

namespace kalvero::lh5 {
namespace {

// Huffman's code lengths for the used symbols (sorted by rising frequency),
// by merging two queues; returns the longest.
int HuffmanLengths(std::span<const std::uint32_t> frequencies, std::span<const std::uint32_t> used,
                   std::span<std::uint8_t> lengths) {
    const std::size_t n = used.size();
    // Nodes 0..n-1 are the leaves in order, then the merged nodes in the
    // order they are made (their weights rise too).
    std::vector<std::uint64_t> weight(2 * n - 1);
    std::vector<std::uint32_t> parent(2 * n - 1, 0);
    for (std::size_t i = 0; i < n; ++i) {
        weight[i] = frequencies[used[i]];
    }
    std::size_t leaf = 0;
    std::size_t merged = n;
    const auto lightest = [&](std::size_t made) {
        if (leaf < n && (merged == made || weight[leaf] <= weight[merged])) {
            return leaf++;
        }
        return merged++;
    };
    for (std::size_t made = n; made < 2 * n - 1; ++made) {
        const std::size_t a = lightest(made);
        const std::size_t b = lightest(made);
        weight[made] = weight[a] + weight[b];
        parent[a] = static_cast<std::uint32_t>(made);
        parent[b] = static_cast<std::uint32_t>(made);
    }
    std::vector<std::uint8_t> depth(2 * n - 1, 0);
    int longest = 0;
    for (std::size_t node = 2 * n - 1; node-- > 0;) {
        if (node != 2 * n - 2) {
            depth[node] = static_cast<std::uint8_t>(std::min(depth[parent[node]] + 1, 255));
        }
        if (node < n) {
            lengths[used[node]] = depth[node];
            longest = std::max(longest, static_cast<int>(depth[node]));
        }
    }
    return longest;
}

} // namespace

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
    if (HuffmanLengths(frequencies, used, lengths) <= maxLength) {
        return lengths;
    }
    std::fill(lengths.begin(), lengths.end(), std::uint8_t{0});

    // Too long for the limit: package-merge. Each level's list merges the leaves with the pairs of
    // the level below; only whether an item is a leaf needs keeping to count the lengths.
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

std::vector<std::uint8_t> CheapestCodeLengths(std::span<const std::uint32_t> frequencies,
                                              std::span<const std::uint32_t> lengthCosts,
                                              int maxLength) {
    std::vector<std::uint32_t> used;
    for (std::uint32_t symbol = 0; symbol < frequencies.size(); ++symbol) {
        if (frequencies[symbol] != 0) {
            used.push_back(symbol);
        }
    }
    std::stable_sort(used.begin(), used.end(), [&](std::uint32_t a, std::uint32_t b) {
        return frequencies[a] > frequencies[b];
    });
    // More frequent symbols never get longer codes, so the code is built
    // level by level: at each level, with m symbols placed and a free nodes,
    // either the next symbol takes a node or every free node splits in two.
    // cost(level, m, a) is the cheapest way to finish; only a <= n - m can
    // finish, so the table is a triangle per level.
    const std::size_t n = used.size();
    // Codes much longer than Huffman's are never cheaper: the levels below
    // are left out, which keeps the table small.
    const std::vector<std::uint8_t> huffman = LimitedCodeLengths(frequencies, maxLength);
    maxLength = std::min(maxLength, *std::max_element(huffman.begin(), huffman.end()) + 2);
    std::vector<std::size_t> row(n + 2, 0);
    for (std::size_t m = 0; m <= n; ++m) {
        row[m + 1] = row[m] + (n - m + 1);
    }
    constexpr std::uint32_t Impossible = UINT32_MAX / 2;
    std::vector<std::uint32_t> deeper(row[n + 1], Impossible);
    std::vector<std::uint32_t> here(row[n + 1], Impossible);
    std::vector<std::uint8_t> takes(static_cast<std::size_t>(maxLength + 1) * row[n + 1], 0);
    for (int level = maxLength; level >= 1; --level) {
        std::uint8_t* take = takes.data() + static_cast<std::size_t>(level) * row[n + 1];
        here[row[n]] = 0;
        for (std::size_t m = n; m-- > 0;) {
            const std::uint32_t price = frequencies[used[m]] * static_cast<std::uint32_t>(level) +
                                        lengthCosts[static_cast<std::size_t>(level)];
            here[row[m]] = Impossible;
            // A level has at most 2^level nodes.
            const std::size_t most = std::min(n - m, std::size_t{1} << std::min(level, 20));
            for (std::size_t a = 1; a <= most; ++a) {
                const std::uint32_t placed = std::min(Impossible, price + here[row[m + 1] + a - 1]);
                const std::uint32_t split =
                    level < maxLength && 2 * a <= n - m ? deeper[row[m] + 2 * a] : Impossible;
                take[row[m] + a] = placed <= split;
                here[row[m] + a] = std::min(placed, split);
            }
        }
        std::swap(here, deeper);
    }

    std::vector<std::uint8_t> lengths(frequencies.size(), 0);
    int level = 1;
    std::size_t free = 2;
    for (std::size_t m = 0; m < n;) {
        if (takes[static_cast<std::size_t>(level) * row[n + 1] + row[m] + free] != 0) {
            lengths[used[m++]] = static_cast<std::uint8_t>(level);
            --free;
        } else {
            ++level;
            free *= 2;
        }
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

} // namespace kalvero::lh5
