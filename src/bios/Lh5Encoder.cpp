#include "bios/Lh5Encoder.h"

#include "bios/BlockTables.h"

#include <algorithm>

namespace kalvero::bios {
namespace {

using namespace lh5;

std::vector<Lh5Code> GreedyParse(std::span<const std::uint8_t> data) {
    constexpr int HashBits = 15;
    std::vector<std::int32_t> head(std::size_t{1} << HashBits, -1);
    std::vector<std::int32_t> previous(data.size(), -1);
    const auto hash = [&](std::size_t i) {
        return ((data[i] << 10) ^ (data[i + 1] << 5) ^ data[i + 2]) & ((1U << HashBits) - 1);
    };
    const auto insert = [&](std::size_t i) {
        if (i + MinMatch <= data.size()) {
            const unsigned h = hash(i);
            previous[i] = head[h];
            head[h] = static_cast<std::int32_t>(i);
        }
    };
    std::vector<Lh5Code> codes;
    for (std::size_t i = 0; i < data.size();) {
        std::size_t bestLength = 0;
        std::size_t bestDistance = 0;
        if (i + MinMatch <= data.size()) {
            const std::size_t limit = std::min<std::size_t>(MaxMatch, data.size() - i);
            int chain = 256;
            for (std::int32_t candidate = head[hash(i)];
                 candidate >= 0 && i - static_cast<std::size_t>(candidate) <= MaxWrittenDistance &&
                 chain-- > 0;
                 candidate = previous[static_cast<std::size_t>(candidate)]) {
                std::size_t length = 0;
                while (length < limit &&
                       data[static_cast<std::size_t>(candidate) + length] == data[i + length]) {
                    ++length;
                }
                if (length > bestLength) {
                    bestLength = length;
                    bestDistance = i - static_cast<std::size_t>(candidate);
                }
            }
        }
        if (bestLength < MinMatch) {
            codes.push_back({data[i], 0});
            insert(i++);
            continue;
        }
        codes.push_back({static_cast<std::uint16_t>(MatchCode(static_cast<int>(bestLength))),
                         static_cast<std::uint16_t>(bestDistance - 1)});
        for (std::size_t end = i + bestLength; i < end;) {
            insert(i++);
        }
    }
    return codes;
}

} // namespace

std::vector<std::uint8_t> EncodeLh5(std::span<const std::uint8_t> data) {
    const std::vector<Lh5Code> codes = GreedyParse(data);
    BitWriter out;
    for (std::size_t start = 0; start < codes.size(); start += MaxBlockCodes) {
        const std::span<const Lh5Code> block = std::span(codes).subspan(
            start, std::min<std::size_t>(MaxBlockCodes, codes.size() - start));
        Lh5Frequencies frequencies;
        for (const Lh5Code code : block) {
            frequencies.Add(code);
        }
        BlockTables(frequencies).Write(out, block);
    }
    return out.Finish();
}

} // namespace kalvero::bios
