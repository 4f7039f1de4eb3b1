#include "lh5/BlockTables.h"

#include "lh5/HuffmanCode.h"

#include <algorithm>

namespace kalvero::lh5 {

namespace {

struct BitCounter {
    std::uint64_t bits = 0;
    void Write(std::uint32_t, int count) { bits += static_cast<std::uint64_t>(count); }
};

// What writing a length into the length table or the position table takes.
constexpr std::array<std::uint32_t, MaxCodeLength + 1> ShortTableCosts = [] {
    std::array<std::uint32_t, MaxCodeLength + 1> costs{};
    for (int length = 1; length <= MaxCodeLength; ++length) {
        costs[static_cast<std::size_t>(length)] = length < ShortLengthLimit ? 3U : length - 3U;
    }
    return costs;
}();

// The one symbol of a table that holds at most one (0 for none), or -1.
int SingleSymbol(std::span<const std::uint32_t> frequencies) {
    const auto used = std::count_if(frequencies.begin(), frequencies.end(),
                                    [](std::uint32_t frequency) { return frequency != 0; });
    if (used > 1) {
        return -1;
    }
    const auto symbol = std::find_if(frequencies.begin(), frequencies.end(),
                                     [](std::uint32_t frequency) { return frequency != 0; });
    return symbol == frequencies.end() ? 0 : static_cast<int>(symbol - frequencies.begin());
}

// Lengths for the length table or the position table, cheapest with the
// table's own bits; a table of at most one used symbol is written as that
// symbol and codes it in no bits.
int ChooseShortLengths(std::span<const std::uint32_t> frequencies,
                       std::span<std::uint8_t> lengths) {
    std::fill(lengths.begin(), lengths.end(), std::uint8_t{0});
    const int single = SingleSymbol(frequencies);
    if (single < 0) {
        const std::vector<std::uint8_t> chosen =
            CheapestCodeLengths(frequencies, ShortTableCosts, MaxCodeLength);
        std::copy(chosen.begin(), chosen.end(), lengths.begin());
    }
    return single;
}

int UsedCount(std::span<const std::uint8_t> lengths) {
    int count = static_cast<int>(lengths.size());
    while (count > 0 && lengths[static_cast<std::size_t>(count - 1)] == 0) {
        --count;
    }
    return count;
}

// The length table or the position table: the count of entries, then each
// length in 3 bits or as 7 plus a run of ones ended by a 0.
template <typename Sink>
void WriteShortTable(Sink& out, std::span<const std::uint8_t> lengths, int single, int countBits,
                     int skipAfter) {
    if (single >= 0) {
        out.Write(0, countBits);
        out.Write(static_cast<std::uint32_t>(single), countBits);
        return;
    }
    const int count = UsedCount(lengths);
    out.Write(static_cast<std::uint32_t>(count), countBits);
    for (int i = 0; i < count;) {
        const int length = lengths[static_cast<std::size_t>(i++)];
        if (length < ShortLengthLimit) {
            out.Write(static_cast<std::uint32_t>(length), 3);
        } else {
            out.Write((1U << (length - 3)) - 2, length - 3);
        }
        if (i == skipAfter) {
            int zeros = 0;
            while (zeros < 3 && i + zeros < count &&
                   lengths[static_cast<std::size_t>(i + zeros)] == 0) {
                ++zeros;
            }
            out.Write(static_cast<std::uint32_t>(zeros), LengthTableSkipBits);
            i += zeros;
        }
    }
}

template <typename Sink>
void WriteSymbol(Sink& out, std::span<const std::uint16_t> codes,
                 std::span<const std::uint8_t> lengths, std::size_t symbol) {
    out.Write(codes[symbol], lengths[symbol]);
}

} // namespace

BlockTables::BlockTables(const Lh5Frequencies& frequencies, Effort effort) {
    positionSingle_ = ChooseShortLengths(frequencies.positions, positionLengths_);
    charSingle_ = SingleSymbol(frequencies.chars);
    if (charSingle_ >= 0) {
        return;
    }
    const std::vector<std::uint8_t> huffman = LimitedCodeLengths(frequencies.chars, MaxCodeLength);
    std::copy(huffman.begin(), huffman.end(), charLengths_.begin());
    charCount_ = UsedCount(charLengths_);
    const auto charBits = [&] {
        std::uint64_t bits = ChooseLengthTable();
        for (std::size_t symbol = 0; symbol < CharCodes; ++symbol) {
            bits += std::uint64_t{frequencies.chars[symbol]} * charLengths_[symbol];
        }
        return bits;
    };
    // Huffman's lengths spend the fewest bits on the codes; lengths the
    // length table writes cheaply can save more in the table.
    std::uint64_t bestBits = charBits();
    for (int round = 0; effort == Effort::Thorough && round < 3; ++round) {
        std::array<std::uint32_t, MaxCodeLength + 1> lengthCosts{};
        const std::uint32_t longest =
            *std::max_element(lengthLengths_.begin(), lengthLengths_.end());
        for (int length = 1; length <= MaxCodeLength; ++length) {
            const int symbol = length + LengthCodeBias;
            const std::uint32_t written = lengthLengths_[static_cast<std::size_t>(symbol)];
            lengthCosts[static_cast<std::size_t>(length)] =
                lengthSingle_ >= 0 ? (lengthSingle_ == symbol ? 0U : 4U)
                : written != 0     ? written
                                   : longest + 1;
        }
        const BlockTables kept = *this;
        const std::vector<std::uint8_t> lengths =
            CheapestCodeLengths(frequencies.chars, lengthCosts, MaxCodeLength);
        std::copy(lengths.begin(), lengths.end(), charLengths_.begin());
        const std::uint64_t bits = charBits();
        if (bits >= bestBits) {
            *this = kept;
            break;
        }
        bestBits = bits;
    }
}

// The character table's lengths as length-table codes, each zero run split
// into the pieces that cost least at these prices of the three zero codes.
std::vector<BlockTables::LengthItem>
BlockTables::PlanLengthItems(std::span<const std::uint32_t, 3> zeroCosts) const {
    const int longest = charCount_;
    int longestRun = 0;
    for (int i = 0, run = 0; i < longest; ++i) {
        run = charLengths_[static_cast<std::size_t>(i)] == 0 ? run + 1 : 0;
        longestRun = std::max(longestRun, run);
    }
    std::vector<std::uint32_t> best(static_cast<std::size_t>(longestRun) + 1, 0);
    std::vector<std::uint16_t> piece(best.size(), 0);
    for (std::size_t run = 1; run < best.size(); ++run) {
        best[run] = best[run - 1] + zeroCosts[OneZero];
        piece[run] = 1;
        for (std::size_t zeros = FewZerosBase;
             zeros <= std::min<std::size_t>(run, FewZerosBase + 15); ++zeros) {
            const std::uint32_t cost = best[run - zeros] + zeroCosts[FewZeros] + FewZerosBits;
            if (cost < best[run]) {
                best[run] = cost;
                piece[run] = static_cast<std::uint16_t>(zeros);
            }
        }
        // One piece of this kind holds any run the table can have.
        if (run >= ManyZerosBase && zeroCosts[ManyZeros] + ManyZerosBits < best[run]) {
            best[run] = zeroCosts[ManyZeros] + ManyZerosBits;
            piece[run] = static_cast<std::uint16_t>(run);
        }
    }

    std::vector<LengthItem> items;
    for (int i = 0; i < longest;) {
        if (charLengths_[static_cast<std::size_t>(i)] != 0) {
            items.push_back({static_cast<std::uint8_t>(charLengths_[static_cast<std::size_t>(i)] +
                                                       LengthCodeBias),
                             0});
            ++i;
            continue;
        }
        int run = 0;
        while (i + run < longest && charLengths_[static_cast<std::size_t>(i + run)] == 0) {
            ++run;
        }
        i += run;
        const std::size_t first = items.size();
        for (auto left = static_cast<std::size_t>(run); left > 0; left -= piece[left]) {
            const int zeros = piece[left];
            if (zeros == 1) {
                items.push_back({OneZero, 0});
            } else if (zeros < ManyZerosBase) {
                items.push_back({FewZeros, static_cast<std::uint16_t>(zeros - FewZerosBase)});
            } else {
                items.push_back({ManyZeros, static_cast<std::uint16_t>(zeros - ManyZerosBase)});
            }
        }
        std::reverse(items.begin() + static_cast<std::ptrdiff_t>(first), items.end());
    }
    return items;
}

// Splitting zero runs and the length table's code depend on each other: a
// few rounds, keeping the cheapest. Returns the bits of the length table and
// the character table's lengths.
std::uint64_t BlockTables::ChooseLengthTable() {
    std::array<std::uint32_t, 3> zeroCosts{3, 3, 3};
    std::uint64_t bestBits = UINT64_MAX;
    for (int round = 0; round < 4; ++round) {
        std::vector<LengthItem> items = PlanLengthItems(zeroCosts);
        std::array<std::uint32_t, LengthCodes> frequencies{};
        for (const LengthItem item : items) {
            ++frequencies[item.symbol];
        }
        std::array<std::uint8_t, LengthCodes> lengths{};
        const int single = ChooseShortLengths(frequencies, lengths);
        BitCounter counter;
        WriteShortTable(counter, lengths, single, LengthCountBits, LengthTableSkipAfter);
        for (const LengthItem item : items) {
            counter.bits += lengths[item.symbol];
            counter.bits += item.symbol == FewZeros    ? FewZerosBits
                            : item.symbol == ManyZeros ? ManyZerosBits
                                                       : 0;
        }
        if (counter.bits >= bestBits) {
            break;
        }
        bestBits = counter.bits;
        lengthItems_ = std::move(items);
        lengthLengths_ = lengths;
        lengthSingle_ = single;
        const std::uint8_t longest = *std::max_element(lengths.begin(), lengths.end());
        for (int symbol = 0; symbol < 3; ++symbol) {
            const std::uint8_t length = lengths[static_cast<std::size_t>(symbol)];
            zeroCosts[static_cast<std::size_t>(symbol)] = single >= 0   ? (single == symbol ? 0 : 8)
                                                          : length != 0 ? length
                                                                        : longest + 1U;
        }
    }
    return bestBits;
}

template <typename Sink> void BlockTables::WriteHead(Sink& out, std::uint32_t codes) const {
    out.Write(codes, BlockSizeBits);
    if (charSingle_ >= 0) {
        out.Write(0, LengthCountBits);
        out.Write(0, LengthCountBits);
        out.Write(0, CharCountBits);
        out.Write(static_cast<std::uint32_t>(charSingle_), CharCountBits);
    } else {
        WriteShortTable(out, lengthLengths_, lengthSingle_, LengthCountBits, LengthTableSkipAfter);
        out.Write(static_cast<std::uint32_t>(charCount_), CharCountBits);
        const std::vector<std::uint16_t> lengthCodes = CanonicalCodes(lengthLengths_);
        for (const LengthItem item : lengthItems_) {
            WriteSymbol(out, lengthCodes, lengthLengths_, item.symbol);
            if (item.symbol == FewZeros) {
                out.Write(item.extra, FewZerosBits);
            } else if (item.symbol == ManyZeros) {
                out.Write(item.extra, ManyZerosBits);
            }
        }
    }
    WriteShortTable(out, positionLengths_, positionSingle_, PositionCountBits, -1);
}

std::uint64_t BlockTables::bits(const Lh5Frequencies& frequencies) const {
    BitCounter counter;
    WriteHead(counter, frequencies.codes);
    for (std::size_t symbol = 0; symbol < CharCodes; ++symbol) {
        counter.bits += std::uint64_t{frequencies.chars[symbol]} * charLengths_[symbol];
    }
    for (std::size_t symbol = 0; symbol < PositionCodes; ++symbol) {
        counter.bits += std::uint64_t{frequencies.positions[symbol]} * positionLengths_[symbol];
    }
    return counter.bits + frequencies.extraBits;
}

void BlockTables::Write(BitWriter& out, std::span<const Lh5Code> codes) const {
    WriteHead(out, static_cast<std::uint32_t>(codes.size()));
    const std::vector<std::uint16_t> charCodes = CanonicalCodes(charLengths_);
    const std::vector<std::uint16_t> positionCodes = CanonicalCodes(positionLengths_);
    for (const Lh5Code code : codes) {
        WriteSymbol(out, charCodes, charLengths_, code.symbol);
        if (code.symbol < LiteralCodes) {
            continue;
        }
        const int position = PositionCode(code.offset);
        WriteSymbol(out, positionCodes, positionLengths_, static_cast<std::size_t>(position));
        const int extra = PositionExtraBits(position);
        out.Write(code.offset & ((1U << extra) - 1), extra);
    }
}

} // namespace kalvero::lh5
