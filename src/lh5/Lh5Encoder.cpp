#include "lh5/Lh5Encoder.h"

#include "lh5/BlockTables.h"
#include "lh5/CodePrices.h"
#include "lh5/MatchFinder.h"
#include "lh5/OptimalParse.h"

#include <algorithm>

namespace kalvero::lh5 {
namespace {

using Effort = BlockTables::Effort;

// The bytes a run of codes makes and the codes chosen for them.
struct Block {
    std::size_t begin = 0;
    std::size_t end = 0;
    std::vector<Lh5Code> codes;
};

Lh5Frequencies Count(std::span<const Lh5Code> codes) {
    Lh5Frequencies frequencies;
    for (const Lh5Code code : codes) {
        frequencies.Add(code);
    }
    return frequencies;
}

Lh5Frequencies Difference(const Lh5Frequencies& whole, const Lh5Frequencies& part) {
    Lh5Frequencies rest = whole;
    for (std::size_t symbol = 0; symbol < rest.chars.size(); ++symbol) {
        rest.chars[symbol] -= part.chars[symbol];
    }
    for (std::size_t symbol = 0; symbol < rest.positions.size(); ++symbol) {
        rest.positions[symbol] -= part.positions[symbol];
    }
    rest.codes -= part.codes;
    rest.extraBits -= part.extraBits;
    return rest;
}

std::uint64_t Bits(const Lh5Frequencies& frequencies, Effort effort = Effort::Quick) {
    return BlockTables(frequencies, effort).bits(frequencies);
}

std::size_t ByteCount(Lh5Code code) {
    return code.symbol < LiteralCodes ? 1 : static_cast<std::size_t>(MatchLength(code.symbol));
}

class Encoding {
public:
    explicit Encoding(std::span<const std::uint8_t> data) : data_(data), finder_(data) {}

    std::vector<std::uint8_t> Run();

private:
    void EncodeSegment(std::size_t begin, std::size_t end, BitWriter& out) const;
    std::uint64_t Improve(Block& block, int rounds, std::size_t maxCodes) const;
    void Split(Block block, std::vector<Block>& blocks) const;

    std::span<const std::uint8_t> data_;
    MatchFinder finder_;
};

// Parses the block again at the prices its last codes set, a few rounds.
// Prices from the thorough tables, with and without the table entries'
// share, and from the symbols' information content each find cheaper parses
// the others miss (prices from the quick tables found none on the real
// images' modules). The rounds follow the quick tables' sizes; the codes kept
// are those the thorough tables write in the fewest bits; returns their bits.
std::uint64_t Encoding::Improve(Block& block, int rounds, std::size_t maxCodes) const {
    std::vector<Lh5Code> current = block.codes;
    Lh5Frequencies frequencies = Count(current);
    BlockTables quick(frequencies, Effort::Quick);
    BlockTables thorough(frequencies, Effort::Thorough);
    std::uint64_t currentBits = quick.bits(frequencies);
    std::uint64_t bestBits = thorough.bits(frequencies);
    for (int round = 0; round < rounds; ++round) {
        const CodePrices pricings[] = {CodePrices::FromTables(thorough),
                                       CodePrices::FromTablesAndEntries(thorough, frequencies),
                                       CodePrices::FromFrequencies(frequencies)};
        std::vector<Lh5Code> next;
        std::uint64_t nextBits = UINT64_MAX;
        for (const CodePrices& prices : pricings) {
            std::vector<Lh5Code> codes =
                CheapestCodes(data_, finder_, block.begin, block.end, prices);
            if (codes.size() > maxCodes) {
                continue;
            }
            const Lh5Frequencies counted = Count(codes);
            BlockTables tables(counted, Effort::Quick);
            const std::uint64_t bits = tables.bits(counted);
            if (bits < nextBits) {
                nextBits = bits;
                next = std::move(codes);
                frequencies = counted;
                quick = std::move(tables);
            }
        }
        if (nextBits >= currentBits) {
            break;
        }
        current = std::move(next);
        currentBits = nextBits;
        thorough = BlockTables(frequencies, Effort::Thorough);
        if (const std::uint64_t bits = thorough.bits(frequencies); bits < bestBits) {
            bestBits = bits;
            block.codes = current;
        }
    }
    return bestBits;
}

// Splits a block where two blocks with tables of their own cost less than
// one, and wherever it holds more codes than a block can; then the halves
// in turn.
void Encoding::Split(Block block, std::vector<Block>& blocks) const {
    constexpr std::size_t MinCodes = 64;
    constexpr std::size_t Candidates = 16;
    const std::size_t count = block.codes.size();
    if (count < 2 * MinCodes && count <= MaxBlockCodes) {
        blocks.push_back(std::move(block));
        return;
    }
    const Lh5Frequencies whole = Count(block.codes);
    std::uint64_t bestBits = UINT64_MAX;
    std::size_t bestAt = 0;
    // Coarse candidates over the whole block, then finer ones around the best.
    // A block too long for one must split near its middle, not shed a
    // sliver at a time.
    const bool tooLong = count > MaxBlockCodes;
    std::size_t low = tooLong ? count / 4 : std::min(MinCodes, count / 2);
    std::size_t high = count - low;
    for (int pass = 0; pass < 2 && low < high; ++pass) {
        const std::size_t step = std::max<std::size_t>(1, (high - low) / Candidates);
        Lh5Frequencies first = Count(std::span(block.codes).first(low));
        for (std::size_t at = low; at <= high; at += step) {
            const std::uint64_t bits = Bits(first) + Bits(Difference(whole, first));
            if (bits < bestBits) {
                bestBits = bits;
                bestAt = at;
            }
            for (std::size_t i = at; i < std::min(at + step, count); ++i) {
                first.Add(block.codes[i]);
            }
        }
        low = bestAt > step ? std::max(bestAt - step, low) : low;
        high = std::min(bestAt + step, high);
    }
    if (bestBits >= Bits(whole) && !tooLong) {
        blocks.push_back(std::move(block));
        return;
    }
    Block second{block.begin, block.end, {}};
    second.codes.assign(block.codes.begin() + static_cast<std::ptrdiff_t>(bestAt),
                        block.codes.end());
    block.codes.resize(bestAt);
    for (const Lh5Code code : block.codes) {
        second.begin += ByteCount(code);
    }
    block.end = second.begin;
    Split(std::move(block), blocks);
    Split(std::move(second), blocks);
}

void Encoding::EncodeSegment(std::size_t begin, std::size_t end, BitWriter& out) const {
    // Rounds of parsing settle where their first prices lead them. Matches a
    // little dearer than literals suit most data; on a small input such as a
    // logo, literals far cheaper than matches often lead to a smaller block
    // (fewer rare match lengths in its table), worth a second start.
    constexpr std::size_t SecondStartBytes = 32 * 1024;
    Block whole{begin, end, CheapestCodes(data_, finder_, begin, end, CodePrices::Flat(8, 10, 4))};
    const std::uint64_t wholeBits = Improve(whole, 8, SIZE_MAX);
    if (end - begin <= SecondStartBytes) {
        Block second{begin, end,
                     CheapestCodes(data_, finder_, begin, end, CodePrices::Flat(5, 14, 5))};
        std::uint64_t bestBits = wholeBits;
        if (const std::uint64_t bits = Improve(second, 8, SIZE_MAX); bits < bestBits) {
            bestBits = bits;
            whole = std::move(second);
        }
        // A few bytes may cost least as literals alone: their tables then
        // hold no match lengths and no positions.
        Block literals{begin, end, {}};
        for (std::size_t at = begin; at < end; ++at) {
            literals.codes.push_back({data_[at], 0});
        }
        if (Bits(Count(literals.codes), Effort::Thorough) < bestBits) {
            whole = std::move(literals);
        }
    }
    std::vector<Block> blocks;
    Split(std::move(whole), blocks);
    for (Block& block : blocks) {
        if (blocks.size() > 1) {
            Improve(block, 4, MaxBlockCodes);
        }
        BlockTables(Count(block.codes), Effort::Thorough).Write(out, block.codes);
    }
}

std::vector<std::uint8_t> Encoding::Run() {
    // A parse's costs must stay within 32 bits: it takes 1 MiB at a time.
    constexpr std::size_t SegmentBytes = std::size_t{1} << 20;
    BitWriter out;
    for (std::size_t begin = 0; begin < data_.size(); begin += SegmentBytes) {
        EncodeSegment(begin, std::min(data_.size(), begin + SegmentBytes), out);
    }
    return out.Finish();
}

} // namespace

std::vector<std::uint8_t> EncodeLh5(std::span<const std::uint8_t> data) {
    return Encoding(data).Run();
}

} // namespace kalvero::lh5
