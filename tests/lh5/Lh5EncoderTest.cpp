#include "lh5/Lh5Encoder.h"

#include "lh5/Lh5Decoder.h"
#include "support/TestBytes.h"

#include <gtest/gtest.h>
#include <string>

namespace kalvero::lh5 {
namespace {

using Bytes = std::vector<std::uint8_t>;

// Pieces repeated 8190, 8191, 8192 and 8193 bytes later, between random bytes.
Bytes FarRepeats() {
    Bytes bytes = test::Noise(40000, 3);
    for (const std::size_t distance : {8190U, 8191U, 8192U, 8193U}) {
        const std::size_t from = distance * 3;
        std::copy_n(bytes.begin() + static_cast<std::ptrdiff_t>(from), 300,
                    bytes.begin() + static_cast<std::ptrdiff_t>(from + distance));
    }
    return bytes;
}

struct Input {
    const char* name;
    Bytes data;
};

std::vector<Input> Inputs() {
    Bytes steps(70000);
    for (std::size_t i = 0; i < steps.size(); ++i) {
        steps[i] = static_cast<std::uint8_t>(i / 300);
    }
    Bytes tenths = test::Noise(5000, 5); // gaps of 9 unused byte values in the code lengths
    for (std::uint8_t& byte : tenths) {
        byte = static_cast<std::uint8_t>(byte % 26 * 10);
    }
    return {
        {"empty", {}},
        {"one byte", {0x5A}},
        {"three bytes", {1, 1, 1}},
        {"all equal, 64 KiB", Bytes(65536, 0xAA)},
        {"random, more codes than one block holds", test::Noise(70000, 1)},
        {"repeats near 8191 bytes back", FarRepeats()},
        {"runs of 300", steps},
        {"every tenth byte value", tenths},
    };
}

TEST(EncodeLh5, DecodesBackToItsInput) {
    for (const auto& [name, data] : Inputs()) {
        const Bytes packed = EncodeLh5(data);
        const FileResult<Bytes> decoded = DecodeLh5(packed, data.size());
        ASSERT_TRUE(decoded.ok()) << name << ": " << decoded.error().reason;
        EXPECT_EQ(decoded.value(), data) << name;
    }
}

TEST(EncodeLh5, PacksRepeatsAndAddsLittleToNoise) {
    EXPECT_LT(EncodeLh5(Bytes(65536, 0xAA)).size(), 100U);
    const Bytes noise = test::Noise(20000, 2);
    EXPECT_LE(EncodeLh5(noise).size(), noise.size() + noise.size() / 100);
    EXPECT_TRUE(EncodeLh5({}).empty());
    // Two more copies of 1000 random bytes cost a few bytes, not 2000.
    Bytes thrice = test::Noise(1000, 4);
    thrice.insert(thrice.end(), thrice.begin(), thrice.end());
    thrice.insert(thrice.end(), thrice.begin(), thrice.begin() + 1000);
    EXPECT_LT(EncodeLh5(thrice).size(), 1000U + 100U);
}

} // namespace
} // namespace kalvero::lh5
