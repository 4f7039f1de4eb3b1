#pragma once

#include "bios/AwardImage.h"

#include <cstddef>
#include <cstdint>
#include <optional>
#include <span>
#include <string>
#include <vector>

namespace kalvero::bios {

// Measures C1, C2, C3 and W on the image (see ImageChecks).
ImageChecks MeasureChecks(std::span<const std::uint8_t> image, const FixedBlocks& blocks,
                          const Module& system);

// The word of the boot block that balances the word sum where it is 0: the
// word 15 bytes after the boot block's "*BBSS*" text, as measured. None when
// the text is missing or the word would fall on an odd offset, outside the
// boot block or into the ranges that C2 and C3 cover.
std::optional<std::size_t> FindBalanceWord(std::span<const std::uint8_t> image,
                                           const FixedBlocks& blocks);

// One check byte or word that a change of the image rewrote.
struct CheckChange {
    std::string name; // "C2", "C3", "W"
    std::size_t offset = 0;
    std::uint16_t before = 0;
    std::uint16_t after = 0;
    int width = 1; // bytes
};

// Makes the checks of the changed image hold again as they held before:
// C3 only where it held, then C2 (which covers C3's byte), then the balance
// word where the word sum was 0. Gives what changed.
std::vector<CheckChange> RestoreChecks(std::span<std::uint8_t> image, const AwardImage& before);

} // namespace kalvero::bios
