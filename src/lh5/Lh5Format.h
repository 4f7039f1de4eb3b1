#pragma once

#include <bit>
#include <cstddef>

// The shape of "-lh5-" data. A block starts with its number of codes (16
// bits) and three code tables: the table that codes the character table's
// lengths, the character table (literals 0..255 and match lengths 3..256 as
// codes 256..509) and the position table (14 codes; code k > 1 stands for
// the distances 2^(k-1)+1 .. 2^k and is followed by k-1 bits). Bits are
// packed most significant first.
namespace kalvero::lh5 {

inline constexpr int MinMatch = 3;
inline constexpr int MaxMatch = 256;
// The format reaches 8192 bytes back; we write at most 8191, the farthest the
// BIOS maker's own packer was seen to use, in case a decompressor's window
// holds no more.
inline constexpr std::size_t MaxWrittenDistance = 8191;

inline constexpr int LiteralCodes = 256;
inline constexpr int CharCodes = LiteralCodes + MaxMatch - MinMatch + 1; // 510
inline constexpr int PositionCodes = 14;
inline constexpr int LengthCodes = 19; // 3 ways of writing zeros, then lengths 1..16
inline constexpr int MaxCodeLength = 16;

inline constexpr int BlockSizeBits = 16;
inline constexpr unsigned MaxBlockCodes = 0xFFFF;
inline constexpr int LengthCountBits = 5;
inline constexpr int CharCountBits = 9;
inline constexpr int PositionCountBits = 4;
// After the third entry of the length table, two bits skip up to three zero
// lengths.
inline constexpr int LengthTableSkipAfter = 3;
inline constexpr int LengthTableSkipBits = 2;
// A length up to 6 takes 3 bits; 7 and more are 7 (111) followed by one 1
// for each step above 7 and a 0.
inline constexpr int ShortLengthLimit = 7;

// The character-table lengths are themselves coded: codes 0, 1 and 2 of the
// length table stand for zeros, a length L is written as code L + 2.
inline constexpr int OneZero = 0;
inline constexpr int FewZeros = 1; // then 4 bits: 3..18 zeros
inline constexpr int FewZerosBits = 4;
inline constexpr int FewZerosBase = 3;
inline constexpr int ManyZeros = 2; // then 9 bits: 20..531 zeros
inline constexpr int ManyZerosBits = 9;
inline constexpr int ManyZerosBase = 20;
inline constexpr int LengthCodeBias = 2;

inline constexpr int MatchCode(int length) {
    return length - MinMatch + LiteralCodes;
}
inline constexpr int MatchLength(int code) {
    return code - LiteralCodes + MinMatch;
}

// The position code of a match at distance - 1 = offset, and its extra bits.
inline constexpr int PositionCode(unsigned offset) {
    return std::bit_width(offset);
}
inline constexpr int PositionExtraBits(int code) {
    return code > 1 ? code - 1 : 0;
}

} // namespace kalvero::lh5
