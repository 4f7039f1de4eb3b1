#include "lh5/Lh5Decoder.h"

#include <gtest/gtest.h>
#include <string>
#include <string_view>
#include <vector>

namespace kalvero::lh5 {
namespace {

using Bytes = std::vector<std::uint8_t>;

// Packs a written-out bit string ("0101 1..."; spaces ignored), first bit
// highest, the last byte filled with zeros.
Bytes Bits(std::string_view text) {
    Bytes bytes;
    int used = 8;
    for (const char bit : text) {
        if (bit == ' ') {
            continue;
        }
        if (used == 8) {
            bytes.push_back(0);
            used = 0;
        }
        bytes.back() = static_cast<std::uint8_t>(bytes.back() | ((bit == '1') << (7 - used++)));
    }
    return bytes;
}

Bytes Text(std::string_view text) {
    return Bytes(text.begin(), text.end());
}

// Each block: its code count (16 bits), the length table, the character
// table (count, then its lengths in length-table codes), the position
// table, then the codes.

// "AAAA": every table of one symbol, coded in no bits.
constexpr std::string_view SingleSymbols = "0000000000000100"
                                           "00000 00000"
                                           "000000000 001000001"
                                           "0000 0000";
// "aaaaa": 'a', then 4 bytes from distance 1. Length table: 2 -> 0, 3 -> 1;
// character lengths 97 zeros (code 2 + 77), 'a' 1, 159 zeros (2 + 139),
// match length 4 (code 257) 1.
constexpr std::string_view MatchAtDistanceOne = "0000000000000010"
                                                "00100 000 000 001 00 001"
                                                "100000010 0 001001101 1 0 010001011 1"
                                                "0000 0000"
                                                "0 1";
// "acgga": literals only. Length table 4 -> 0, 0..3 -> 100..111, with one
// zero (code 0) and three zeros (code 1 + 0) between the lengths.
constexpr std::string_view LiteralsOnly = "0000000000000101"
                                          "00101 011 011 011 00 011 001"
                                          "001101000 110 001001101 111 100 0 101 0000 0"
                                          "0000 0000"
                                          "0 10 11 11 0";
// 'y', 64 'x', then 3 bytes from distance 65: position code 7 with 6 extra
// bits, position lengths 1..7,7 (7 written as 1110).
constexpr std::string_view FarMatch =
    "0000000001000010"
    "00101 000 000 001 00 010 010"
    "100000001 0 001100100 10 11 0 001110010 11"
    "1000 001 010 011 100 101 110 1110 1110"
    "10"
    "0000000000000000000000000000000000000000000000000000000000000000"
    "11 1111111 000000";
// Bytes 15, 0, 7: sixteen literals of length 4, so the length table is the
// one code 6 in no bits.
constexpr std::string_view OneLengthCode = "0000000000000011"
                                           "00000 00110"
                                           "000010000"
                                           "0000 0000"
                                           "1111 0000 0111";
// Bytes 0, 14, 200, 201: the length table skips its entries 3..5 (11).
constexpr std::string_view SkippedLengths = "0000000000000100"
                                            "01000 000 000 010 11 001 010"
                                            "011001010 000000000000000 10 010100101 11 11"
                                            "0000 0000"
                                            "0000 1110 11110 11111";
// A second block after LiteralsOnly: one match of 3 from distance 5
// (position code 3, extra bits 00), which reaches into the first block.
constexpr std::string_view SecondBlock = "0000000000000001"
                                         "00000 00000"
                                         "000000000 100000000"
                                         "0000 0011"
                                         "00";

TEST(DecodeLh5, HandBuiltStreams) {
    Bytes farMatch = Text("y");
    farMatch.insert(farMatch.end(), 64, 'x');
    farMatch.insert(farMatch.end(), {'y', 'x', 'x'});
    Bytes withTrailer = Bits(SingleSymbols);
    withTrailer.insert(withTrailer.end(), {0xFF, 0xFF, 0xFF});
    const std::string twoBlocks = std::string(LiteralsOnly) + std::string(SecondBlock);
    const std::pair<Bytes, Bytes> cases[] = {
        {Bits(SingleSymbols), Text("AAAA")},
        {withTrailer, Text("AAAA")},
        {Bits(MatchAtDistanceOne), Text("aaaaa")},
        {Bits(LiteralsOnly), Text("acgga")},
        {Bits(FarMatch), farMatch},
        {Bits(OneLengthCode), Bytes{15, 0, 7}},
        {Bits(SkippedLengths), Bytes{0, 14, 200, 201}},
        {Bits(twoBlocks), Text("acggaacg")},
        {Bytes{}, Bytes{}},
        {Bits(SingleSymbols), Text("AA")}, // stops where the size says
    };
    for (const auto& [packed, expected] : cases) {
        const FileResult<Bytes> decoded = DecodeLh5(packed, expected.size());
        ASSERT_TRUE(decoded.ok()) << decoded.error().reason.english();
        EXPECT_EQ(decoded.value(), expected);
    }
}

TEST(DecodeLh5, RefusesBrokenStreams) {
    Bytes cut = Bits(MatchAtDistanceOne);
    cut.pop_back();
    const struct {
        Bytes packed;
        std::size_t size;
        std::string_view reason;
    } cases[] = {
        {Bits("0000000000000010 00100 000 001 001 00 001"), 5, "not a valid prefix code"},
        {Bits("0000000000000001 00000 00011 000000001"), 1, "not a valid prefix code"},
        {Bits("0000000000000001 00000 00000 000000000 100000000 0000 0000"), 3,
         "reaches before its start"},
        {Bits(MatchAtDistanceOne), 3, "runs past the end"},
        {Bits(SingleSymbols), 5, "ends before"},
        {cut, 5, "ends before"},
        {Bytes{0x00}, 1, "ends before"},
        {Bits("0000000000000000"), 1, "holds no codes"},
        {Bits("0000000000000001 10100"), 1, "more codes than"},
        {Bits("0000000000000001 00000 10011"), 1, "more codes than"},
        {Bits("0000000000000001 00000 00000 111111111"), 1, "more codes than"},
        {Bits("0000000000000001 00000 00000 000000000 111111110"), 1, "more codes than"},
        {Bits("0000000000000001 00000 00000 000000000 001000001 1111"), 1, "more codes than"},
        {Bits("0000000000000001 00000 00000 000000000 001000001 0000 1110"), 1, "more codes than"},
        {Bits("0000000000000001 00000 00010 000000100 000000000"), 1, "more codes than"},
        {Bits("0000000000000001 00001 111 1111111111"), 1, "out of range"},
    };
    for (const auto& [packed, size, reason] : cases) {
        const FileResult<Bytes> decoded = DecodeLh5(packed, size);
        ASSERT_FALSE(decoded.ok()) << reason;
        EXPECT_EQ(decoded.error().problem, FileProblem::NotAccepted);
        EXPECT_NE(decoded.error().reason.english().find(reason), std::string::npos)
            << decoded.error().reason.english();
    }
}

} // namespace
} // namespace kalvero::lh5
