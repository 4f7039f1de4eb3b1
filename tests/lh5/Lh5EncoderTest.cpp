#include "lh5/Lh5Encoder.h"

#include "lh5/Lh5Decoder.h"
#include "support/TempDir.h"
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
        ASSERT_TRUE(decoded.ok()) << name << ": " << decoded.error().reason.english();
        EXPECT_EQ(decoded.value(), data) << name;
    }
}

// Exact sizes: any change to the packer's prices, parse or tables shows here.
// Recorded from the packer and checked by eye against what each input must
// take: a run of one byte a few dozen bytes, noise about its own size plus
// its tables, two more copies of 1000 bytes a few bytes more than one.
TEST(EncodeLh5, PacksFixedInputsToKnownSizes) {
    Bytes thrice = test::Noise(1000, 4);
    thrice.insert(thrice.end(), thrice.begin(), thrice.end());
    thrice.insert(thrice.end(), thrice.begin(), thrice.begin() + 1000);
    const struct {
        const char* name;
        Bytes data;
        std::size_t size;
    } cases[] = {
        {"the sample logo", test::ReadBytes(KALVERO_SAMPLES_DIR "/kalvero.epa"), 498},
        {"the tests' system module", test::Pattern(32768, 1), 4567},
        {"random, more codes than one block holds", test::Noise(70000, 1), 70063},
        {"all equal, 64 KiB", Bytes(65536, 0xAA), 43},
        {"1000 random bytes three times", thrice, 1057},
        {"empty", {}, 0},
    };
    for (const auto& [name, data, size] : cases) {
        EXPECT_EQ(EncodeLh5(data).size(), size) << name;
    }
}

} // namespace
} // namespace kalvero::lh5
