// The LH5 codec: the decoder on any bytes and any size, the encoder on any
// data (every packing must decode to what was packed).

#include "FuzzCheck.h"
#include "lh5/Lh5Decoder.h"
#include "lh5/Lh5Encoder.h"

#include <algorithm>
#include <cstdint>
#include <span>
#include <vector>

namespace kalvero::fuzz {
namespace {

void CheckRoundTrip(std::span<const std::uint8_t> data) {
    const std::vector<std::uint8_t> packed = lh5::EncodeLh5(data);
    const FileResult<std::vector<std::uint8_t>> decoded = lh5::DecodeLh5(packed, data.size());
    Require(decoded.ok(), "our packing decodes");
    Require(decoded.value().size() == data.size() &&
                std::equal(data.begin(), data.end(), decoded.value().begin()),
            "our packing decodes to what was packed");
}

} // namespace
} // namespace kalvero::fuzz

// The first two bytes give the size to decode to (little-endian, up to
// 4095), the rest is the packed data. Packing is slow under the fuzzer's
// instrumentation, so it sees at most 1 KiB.
extern "C" int LLVMFuzzerTestOneInput(const std::uint8_t* data, std::size_t size) {
    using namespace kalvero;
    constexpr std::size_t SizeLimit = 4096;
    constexpr std::size_t PackLimit = 1024;
    const std::span<const std::uint8_t> input(data, size);
    if (size >= 2) {
        const std::size_t originalSize = (data[0] | std::size_t{data[1]} << 8) % SizeLimit;
        const FileResult<std::vector<std::uint8_t>> decoded =
            lh5::DecodeLh5(input.subspan(2), originalSize);
        if (decoded.ok()) {
            fuzz::Require(decoded.value().size() == originalSize, "decoding makes the size asked");
            fuzz::CheckRoundTrip(
                std::span(decoded.value()).first(std::min(originalSize, PackLimit)));
        } else {
            fuzz::Require(decoded.error().problem == FileProblem::NotAccepted,
                          "broken data is not accepted");
        }
    }
    fuzz::CheckRoundTrip(input.first(std::min(size, PackLimit)));
    return 0;
}
