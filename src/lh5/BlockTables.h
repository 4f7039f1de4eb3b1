#pragma once

#include "lh5/BitWriter.h"
#include "lh5/Lh5Code.h"
#include "lh5/Lh5Format.h"

#include <array>
#include <cstdint>
#include <span>
#include <vector>

namespace kalvero::lh5 {

// The three code tables of one block, chosen for its frequencies: lengths of
// at most 16 bits that cost least with what writing them into the block
// takes, the character table's lengths written with the cheapest mix of the
// zero-run codes.
class BlockTables {
public:
    // Quick: Huffman lengths for the character table. Thorough: lengths that
    // also weigh what writing them into the table takes, a few times slower.
    enum class Effort { Quick, Thorough };

    BlockTables(const Lh5Frequencies& frequencies, Effort effort);

    // The block's bits: its head (code count and tables) and its codes.
    std::uint64_t bits(const Lh5Frequencies& frequencies) const;
    // Code lengths (0 for absent symbols; a table of one symbol codes it in
    // 0 bits).
    std::span<const std::uint8_t, CharCodes> charLengths() const { return charLengths_; }
    std::span<const std::uint8_t, PositionCodes> positionLengths() const {
        return positionLengths_;
    }

    // The one symbol of a table that holds only one, or -1.
    int charSingle() const { return charSingle_; }
    int positionSingle() const { return positionSingle_; }

    void Write(BitWriter& out, std::span<const Lh5Code> codes) const;

private:
    // A code of the length table and the bits after it.
    struct LengthItem {
        std::uint8_t symbol;
        std::uint16_t extra;
    };

    template <typename Sink> void WriteHead(Sink& out, std::uint32_t codes) const;
    std::vector<LengthItem> PlanLengthItems(std::span<const std::uint32_t, 3> zeroCosts) const;
    std::uint64_t ChooseLengthTable();

    std::array<std::uint8_t, CharCodes> charLengths_{};
    std::array<std::uint8_t, PositionCodes> positionLengths_{};
    std::array<std::uint8_t, LengthCodes> lengthLengths_{};
    int charSingle_ = -1; // the one character symbol, or -1
    int positionSingle_ = -1;
    int lengthSingle_ = -1;
    int charCount_ = 0; // entries written, up to the last used symbol
    std::vector<LengthItem> lengthItems_;
};

} // namespace kalvero::lh5
