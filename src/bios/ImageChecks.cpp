#include "bios/ImageChecks.h"

#include "bios/ImageBytes.h"

#include <algorithm>
#include <string_view>

namespace kalvero::bios {
namespace {

constexpr std::string_view BalanceMark = "*BBSS*";
constexpr std::size_t BalanceWordDistance = 15;

CheckByte Measure(std::span<const std::uint8_t> image, std::size_t offset,
                  std::span<const std::uint8_t> covered) {
    return CheckByte{offset, image[offset], ByteSum(covered)};
}

} // namespace

ImageChecks MeasureChecks(std::span<const std::uint8_t> image, const FixedBlocks& blocks,
                          const Module& system) {
    ImageChecks checks;
    checks.c1Present = system.separatorLength == 2;
    checks.c1.offset = system.end() + 1;
    checks.c1.stored = checks.c1Present ? image[checks.c1.offset] : std::uint8_t{0};
    checks.c1.computed = ByteSum(image.subspan(system.offset, system.header.length()));
    const std::size_t p2 = blocks.c2Offset();
    const std::size_t p3 = blocks.c3Offset();
    checks.c2 = Measure(image, p2, image.subspan(blocks.decompression, p2 - blocks.decompression));
    checks.c3 = Measure(image, p3, image.first(p3));
    checks.wordSum = WordSum(image);
    checks.balanceWord = FindBalanceWord(image, blocks);
    return checks;
}

std::optional<std::size_t> FindBalanceWord(std::span<const std::uint8_t> image,
                                           const FixedBlocks& blocks) {
    const auto boot = image.subspan(blocks.bootBlock);
    const auto mark = std::search(boot.begin(), boot.end(), BalanceMark.begin(), BalanceMark.end());
    if (mark == boot.end()) {
        return std::nullopt;
    }
    const std::size_t offset =
        blocks.bootBlock + static_cast<std::size_t>(mark - boot.begin()) + BalanceWordDistance;
    if (offset % 2 != 0 || offset + 2 > image.size() || offset <= blocks.c2Offset()) {
        return std::nullopt;
    }
    return offset;
}

std::vector<CheckChange> RestoreChecks(std::span<std::uint8_t> image, const AwardImage& before) {
    std::vector<CheckChange> changes;
    const auto rewrite = [&](const std::string& name, std::size_t offset,
                             std::span<const std::uint8_t> covered) {
        const std::uint8_t sum = ByteSum(covered);
        if (image[offset] != sum) {
            changes.push_back({name, offset, image[offset], sum, 1});
            image[offset] = sum;
        }
    };
    const FixedBlocks& blocks = before.blocks;
    const std::size_t p3 = blocks.c3Offset();
    const std::size_t p2 = blocks.c2Offset();
    if (before.checks.c3.holds()) {
        rewrite("C3", p3, image.first(p3));
    }
    rewrite("C2", p2, image.subspan(blocks.decompression, p2 - blocks.decompression));
    if (before.checks.wordSumHolds() && before.checks.balanceWord) {
        const std::size_t offset = *before.checks.balanceWord;
        const std::uint16_t old = ReadWord(image, offset);
        const auto balanced = static_cast<std::uint16_t>(old - WordSum(image));
        if (balanced != old) {
            changes.push_back({"W", offset, old, balanced, 2});
            WriteWord(image, offset, balanced);
        }
    }
    return changes;
}

} // namespace kalvero::bios
