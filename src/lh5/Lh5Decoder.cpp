#include "lh5/Lh5Decoder.h"

#include "lh5/DecodeTable.h"
#include "lh5/Lh5Format.h"

#include <algorithm>
#include <cstring>

namespace kalvero::lh5 {
namespace {

FileError Refusal(const Reason& reason) {
    return {FileProblem::NotAccepted, reason};
}

// Bits of the packed data, first bit highest. Past the end it reads zeros and
// counts them, so that running out is found by consumed() > available().
class BitReader {
public:
    explicit BitReader(std::span<const std::uint8_t> data) : data_(data) { Refill(); }

    std::uint32_t Peek16() const { return static_cast<std::uint32_t>(buffer_ >> 48); }
    void Skip(int bits) {
        buffer_ <<= bits;
        held_ -= bits;
        consumed_ += static_cast<std::uint64_t>(bits);
        if (held_ < 32) {
            Refill();
        }
    }
    // Up to 16 bits.
    unsigned Read(int bits) {
        if (bits == 0) {
            return 0;
        }
        const auto value = static_cast<unsigned>(buffer_ >> (64 - bits));
        Skip(bits);
        return value;
    }
    std::uint64_t consumed() const { return consumed_; }
    std::uint64_t available() const { return std::uint64_t{data_.size()} * 8; }

private:
    void Refill() {
        while (held_ <= 56) {
            const std::uint8_t byte = next_ < data_.size() ? data_[next_] : 0;
            ++next_;
            buffer_ |= std::uint64_t{byte} << (56 - held_);
            held_ += 8;
        }
    }

    std::span<const std::uint8_t> data_;
    std::size_t next_ = 0;
    std::uint64_t buffer_ = 0;
    int held_ = 0;
    std::uint64_t consumed_ = 0;
};

class Decoding {
public:
    Decoding(std::span<const std::uint8_t> packed, std::size_t originalSize)
        : bits_(packed), size_(originalSize) {}

    FileResult<std::vector<std::uint8_t>> Run();

private:
    const Reason* ReadBlockHead(unsigned& codes);
    const Reason* ReadCount(int count, int countBits, DecodeTable& table, int& used);
    const Reason* ReadShortTable(int count, int countBits, int skipAfter, int lookupBits,
                                 DecodeTable& table);
    const Reason* ReadCharTable();
    const Reason* Grow(std::size_t needed);

    BitReader bits_;
    std::size_t size_;
    std::vector<std::uint8_t> out_;
    DecodeTable lengthTable_;
    DecodeTable charTable_;
    DecodeTable positionTable_;
};

// Most codes are found with one look-up of this many bits.
constexpr int CharLookupBits = 12;
constexpr int ShortLookupBits = 8;

const Reason Truncated = Reason::of<"the packed data ends before all of its bytes are made",
                                    "die gepackten Daten enden, bevor alle ihre Bytes entstanden "
                                    "sind">();
const Reason BadTable = Reason::of<"a code table of the packed data is not a valid prefix code",
                                   "eine Codetabelle der gepackten Daten ist kein gültiger "
                                   "Präfixcode">();
const Reason BadCount =
    Reason::of<"a code table of the packed data has more codes than its kind allows",
               "eine Codetabelle der gepackten Daten hat mehr Codes, als ihre Art erlaubt">();
const Reason BadLength = Reason::of<"a code length of the packed data is out of range",
                                    "eine Codelänge der gepackten Daten liegt außerhalb des "
                                    "Bereichs">();
const Reason EmptyBlock = Reason::of<"a block of the packed data holds no codes",
                                     "ein Block der gepackten Daten enthält keine Codes">();
const Reason RunsPast = Reason::of<"a match of the packed data runs past the end of its bytes",
                                   "ein Verweis der gepackten Daten reicht über das Ende ihrer "
                                   "Bytes hinaus">();

// A table's count of entries. A count of 0 is followed by the one symbol the
// table holds, coded in no bits.
const Reason* Decoding::ReadCount(int count, int countBits, DecodeTable& table, int& used) {
    used = static_cast<int>(bits_.Read(countBits));
    if (used == 0) {
        const int symbol = static_cast<int>(bits_.Read(countBits));
        if (symbol >= count) {
            return &BadCount;
        }
        table.BuildSingle(symbol);
    }
    return used > count ? &BadCount : nullptr;
}

// The length table and the position table: a count, then one length per
// code, 3 bits or a run of ones; a count of 0 means one symbol in 0 bits.
const Reason* Decoding::ReadShortTable(int count, int countBits, int skipAfter, int lookupBits,
                                       DecodeTable& table) {
    int used = 0;
    if (const Reason* problem = ReadCount(count, countBits, table, used); problem || used == 0) {
        return problem;
    }
    std::array<std::uint8_t, LengthCodes> lengths{};
    int i = 0;
    while (i < used) {
        int length = static_cast<int>(bits_.Read(3));
        if (length == ShortLengthLimit) {
            while ((bits_.Peek16() & 0x8000) != 0) {
                if (++length > MaxCodeLength) {
                    return &BadLength;
                }
                bits_.Skip(1);
            }
            bits_.Skip(1);
        }
        lengths[static_cast<std::size_t>(i++)] = static_cast<std::uint8_t>(length);
        if (i == skipAfter) {
            i += static_cast<int>(bits_.Read(LengthTableSkipBits));
        }
    }
    if (i > count) {
        return &BadCount;
    }
    return table.Build(std::span(lengths).first(static_cast<std::size_t>(count)), lookupBits)
               ? nullptr
               : &BadTable;
}

const Reason* Decoding::ReadCharTable() {
    int used = 0;
    if (const Reason* problem = ReadCount(CharCodes, CharCountBits, charTable_, used);
        problem || used == 0) {
        return problem;
    }
    std::array<std::uint8_t, CharCodes> lengths{};
    int i = 0;
    while (i < used) {
        const DecodeTable::Symbol code = lengthTable_.Decode(bits_.Peek16());
        bits_.Skip(code.length);
        if (code.value >= LengthCodeBias + 1) {
            lengths[static_cast<std::size_t>(i++)] =
                static_cast<std::uint8_t>(code.value - LengthCodeBias);
            continue;
        }
        int zeros = 1;
        if (code.value == FewZeros) {
            zeros = FewZerosBase + static_cast<int>(bits_.Read(FewZerosBits));
        } else if (code.value == ManyZeros) {
            zeros = ManyZerosBase + static_cast<int>(bits_.Read(ManyZerosBits));
        }
        i += zeros;
        if (i > used) {
            return &BadCount;
        }
    }
    return charTable_.Build(lengths, CharLookupBits) ? nullptr : &BadTable;
}

// A block's number of codes and its three tables.
const Reason* Decoding::ReadBlockHead(unsigned& codes) {
    if (bits_.consumed() + BlockSizeBits > bits_.available()) {
        return &Truncated;
    }
    codes = bits_.Read(BlockSizeBits);
    if (codes == 0) {
        return &EmptyBlock;
    }
    if (const Reason* problem = ReadShortTable(LengthCodes, LengthCountBits, LengthTableSkipAfter,
                                               ShortLookupBits, lengthTable_)) {
        return problem;
    }
    if (const Reason* problem = ReadCharTable()) {
        return problem;
    }
    return ReadShortTable(PositionCodes, PositionCountBits, -1, ShortLookupBits, positionTable_);
}

const Reason* Decoding::Grow(std::size_t needed) {
    if (needed > size_) {
        return &RunsPast;
    }
    out_.resize(std::min(size_, std::max(needed, out_.size() * 2)));
    return nullptr;
}

FileResult<std::vector<std::uint8_t>> Decoding::Run() {
    out_.resize(std::min<std::size_t>(size_, std::size_t{1} << 16));
    std::size_t made = 0;
    unsigned blockLeft = 0;
    while (made < size_) {
        if (blockLeft == 0) {
            if (const Reason* problem = ReadBlockHead(blockLeft)) {
                return Refusal(*problem);
            }
        }
        --blockLeft;
        const DecodeTable::Symbol code = charTable_.Decode(bits_.Peek16());
        bits_.Skip(code.length);
        if (code.value < LiteralCodes) {
            if (made == out_.size()) {
                if (const Reason* problem = Grow(made + 1)) {
                    return Refusal(*problem);
                }
            }
            out_[made++] = static_cast<std::uint8_t>(code.value);
            continue;
        }
        const std::size_t length = static_cast<std::size_t>(MatchLength(code.value));
        const DecodeTable::Symbol position = positionTable_.Decode(bits_.Peek16());
        bits_.Skip(position.length);
        std::size_t distance = 1;
        if (position.value > 0) {
            const int extra = PositionExtraBits(position.value);
            distance += (std::size_t{1} << (position.value - 1)) + bits_.Read(extra);
        }
        if (distance > made) {
            return Refusal(Reason::of<"a match of the packed data reaches before its start",
                                      "ein Verweis der gepackten Daten reicht vor ihren "
                                      "Anfang">());
        }
        if (made + length > out_.size()) {
            if (const Reason* problem = Grow(made + length)) {
                return Refusal(*problem);
            }
        }
        std::uint8_t* to = out_.data() + made;
        const std::uint8_t* from = to - distance;
        if (distance >= length) {
            std::memcpy(to, from, length);
        } else {
            for (std::size_t k = 0; k < length; ++k) {
                to[k] = from[k];
            }
        }
        made += length;
    }
    if (bits_.consumed() > bits_.available()) {
        return Refusal(Truncated);
    }
    return std::move(out_);
}

} // namespace

FileResult<std::vector<std::uint8_t>> DecodeLh5(std::span<const std::uint8_t> packed,
                                                std::size_t originalSize) {
    return Decoding(packed, originalSize).Run();
}

} // namespace kalvero::lh5
