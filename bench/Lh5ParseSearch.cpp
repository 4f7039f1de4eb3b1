// How far the LH5 packer is from the best parse. Small pieces of logos are
// packed every way the format allows (each position a literal or a match of
// any length from each distance class that holds one: within a class every
// distance costs the same), each way priced with the thorough tables of its
// own codes; the smallest is set against what EncodeLh5 makes of the piece.
// Then whole logos: the packer's rounds of parsing started from many more
// first prices than it tries itself. The logos are our sample logo and, when
// KALVERO_BIOS_SAMPLES names the real images, each image's logo.
//
//   kalvero_bench_lh5_search

#include "LhaSamples.h"
#include "lh5/BlockTables.h"
#include "lh5/Lh5Decoder.h"
#include "lh5/Lh5Encoder.h"
#include "lh5/MatchFinder.h"
#include "lh5/OptimalParse.h"

#include <algorithm>
#include <cstdio>
#include <fstream>
#include <iterator>
#include <string>

namespace kalvero::lh5 {
namespace {

using Bytes = std::vector<std::uint8_t>;

struct Logo {
    std::string name;
    Bytes data;
};

std::vector<Logo> Logos() {
    std::ifstream file(std::string(KALVERO_SAMPLES_DIR) + "/kalvero.epa", std::ios::binary);
    std::vector<Logo> logos{{"kalvero.epa", Bytes(std::istreambuf_iterator<char>(file), {})}};
    const std::filesystem::path folder = bench::SampleFolder();
    if (folder.empty()) {
        return logos;
    }
    for (const bench::SampleImage& image : bench::LoadSampleImages(folder)) {
        for (const bench::SampleModule& module : image.modules) {
            if (module.method != "-lh5-" || module.type != bench::LogoModuleType) {
                continue;
            }
            const Bytes packed(image.packed(module).begin(), image.packed(module).end());
            const FileResult<Bytes> data = DecodeLh5(packed, module.originalSize);
            const bool seen = std::any_of(logos.begin(), logos.end(), [&](const Logo& logo) {
                return logo.data == data.value();
            });
            if (data.ok() && !seen) {
                logos.push_back({image.name, data.value()});
            }
        }
    }
    return logos;
}

// Every way to code one piece, searched in full.
class PieceSearch {
public:
    explicit PieceSearch(std::span<const std::uint8_t> piece)
        : piece_(piece), options_(piece.size()) {
        for (std::size_t at = 0; at < piece.size(); ++at) {
            std::array<std::size_t, PositionCodes> longest{};
            std::array<std::uint16_t, PositionCodes> distance{};
            const std::size_t room = std::min<std::size_t>(MaxMatch, piece.size() - at);
            for (std::size_t back = 1; back <= at; ++back) {
                std::size_t length = 0;
                while (length < room && piece[at - back + length] == piece[at + length]) {
                    ++length;
                }
                const auto code =
                    static_cast<std::size_t>(PositionCode(static_cast<unsigned>(back - 1)));
                if (length > longest[code]) {
                    longest[code] = length;
                    distance[code] = static_cast<std::uint16_t>(back);
                }
            }
            for (std::size_t code = 0; code < PositionCodes; ++code) {
                for (std::size_t length = MinMatch; length <= longest[code]; ++length) {
                    options_[at].push_back(
                        {static_cast<std::uint16_t>(MatchCode(static_cast<int>(length))),
                         static_cast<std::uint16_t>(distance[code] - 1)});
                }
            }
        }
    }

    double ways() const {
        std::vector<double> ways(piece_.size() + 1, 0);
        ways[piece_.size()] = 1;
        for (std::size_t at = piece_.size(); at-- > 0;) {
            ways[at] = ways[at + 1];
            for (const Lh5Code code : options_[at]) {
                ways[at] += ways[at + static_cast<std::size_t>(MatchLength(code.symbol))];
            }
        }
        return ways[0];
    }

    std::uint64_t bestBits() {
        best_ = UINT64_MAX;
        Search(0, Lh5Frequencies{});
        return best_;
    }

private:
    void Search(std::size_t at, Lh5Frequencies frequencies) {
        if (at == piece_.size()) {
            const BlockTables tables(frequencies, BlockTables::Effort::Thorough);
            best_ = std::min(best_, tables.bits(frequencies));
            return;
        }
        Lh5Frequencies literal = frequencies;
        literal.Add({piece_[at], 0});
        Search(at + 1, literal);
        for (const Lh5Code code : options_[at]) {
            Lh5Frequencies match = frequencies;
            match.Add(code);
            Search(at + static_cast<std::size_t>(MatchLength(code.symbol)), match);
        }
    }

    std::span<const std::uint8_t> piece_;
    std::vector<std::vector<Lh5Code>> options_;
    std::uint64_t best_ = UINT64_MAX;
};

// Pieces spread over each logo, each as long as a search in full allows.
void SearchPieces(const std::vector<Logo>& logos) {
    constexpr int PiecesPerLogo = 6;
    constexpr std::size_t LongestPiece = 64;
    constexpr double MostWays = 20000;
    std::printf("Pieces packed every way: the best against EncodeLh5 (bytes)\n");
    std::printf("%-24s %6s %6s %8s %6s %6s\n", "logo", "at", "bytes", "ways", "best", "ours");
    std::size_t best = 0;
    std::size_t ours = 0;
    for (const Logo& logo : logos) {
        for (int i = 0; i < PiecesPerLogo; ++i) {
            const std::size_t at = logo.data.size() * static_cast<std::size_t>(i) / PiecesPerLogo;
            std::size_t length = 8;
            while (length < LongestPiece && at + length < logo.data.size() &&
                   PieceSearch(std::span(logo.data).subspan(at, length + 1)).ways() <= MostWays) {
                ++length;
            }
            const std::span<const std::uint8_t> piece = std::span(logo.data).subspan(at, length);
            PieceSearch search(piece);
            const std::size_t bestBytes = (search.bestBits() + 7) / 8;
            const std::size_t ourBytes = EncodeLh5(piece).size();
            std::printf("%-24s %6zu %6zu %8.0f %6zu %6zu\n", logo.name.c_str(), at, length,
                        search.ways(), bestBytes, ourBytes);
            best += bestBytes;
            ours += ourBytes;
        }
    }
    std::printf("%-24s %6s %6s %8s %6zu %6zu\n\n", "all pieces", "", "", "", best, ours);
}

// Rounds of parsing as the packer's, from one start, each at the four kinds
// of prices the packer sets from a parse; the thorough bits of the best
// parse met.
std::uint64_t Rounds(const Bytes& data, const MatchFinder& finder, const CodePrices& start) {
    std::uint64_t best = UINT64_MAX;
    std::vector<CodePrices> pricings{start};
    for (int round = 0; round < 8; ++round) {
        std::uint64_t roundBest = UINT64_MAX;
        Lh5Frequencies kept;
        for (const CodePrices& prices : pricings) {
            Lh5Frequencies frequencies;
            for (const Lh5Code code : CheapestCodes(data, finder, 0, data.size(), prices)) {
                frequencies.Add(code);
            }
            const std::uint64_t bits =
                BlockTables(frequencies, BlockTables::Effort::Thorough).bits(frequencies);
            if (bits < roundBest) {
                roundBest = bits;
                kept = frequencies;
            }
        }
        if (roundBest >= best) {
            break;
        }
        best = roundBest;
        const BlockTables quick(kept, BlockTables::Effort::Quick);
        pricings = {CodePrices::FromTables(quick),
                    CodePrices::FromTables(BlockTables(kept, BlockTables::Effort::Thorough)),
                    CodePrices::FromTablesAndEntries(quick, kept),
                    CodePrices::FromFrequencies(kept)};
    }
    return best;
}

// Whole logos from a wide grid of first prices.
void SearchStarts(const std::vector<Logo>& logos) {
    std::printf("Whole logos from 294 first prices: the best against EncodeLh5 (bytes)\n");
    std::printf("%-24s %6s %6s %6s\n", "logo", "bytes", "best", "ours");
    for (const Logo& logo : logos) {
        const MatchFinder finder(logo.data);
        std::uint64_t best = UINT64_MAX;
        for (std::uint32_t literal = 5; literal <= 11; ++literal) {
            for (std::uint32_t match = 4; match <= 16; match += 2) {
                for (std::uint32_t position = 1; position <= 6; ++position) {
                    best = std::min(best, Rounds(logo.data, finder,
                                                 CodePrices::Flat(literal, match, position)));
                }
            }
        }
        std::printf("%-24s %6zu %6llu %6zu\n", logo.name.c_str(), logo.data.size(),
                    static_cast<unsigned long long>((best + 7) / 8), EncodeLh5(logo.data).size());
    }
}

} // namespace
} // namespace kalvero::lh5

int main() {
    const std::vector<kalvero::lh5::Logo> logos = kalvero::lh5::Logos();
    kalvero::lh5::SearchPieces(logos);
    kalvero::lh5::SearchStarts(logos);
    return 0;
}
