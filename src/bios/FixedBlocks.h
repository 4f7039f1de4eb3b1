#pragma once

#include "base/FileResult.h"

#include <cstddef>
#include <cstdint>
#include <optional>
#include <span>
#include <string>

namespace kalvero::bios {

inline constexpr std::size_t SmallImageSize = 128 * 1024;
inline constexpr std::size_t LargeImageSize = 256 * 1024;
inline constexpr std::size_t BootBlockSize = 8 * 1024;
inline constexpr std::size_t CheckBlockSize = 4 * 1024;

// The blocks at the end of an Award image that are never moved: the boot
// block (the last 8 KiB) and the decompression block with the two check
// bytes at the end of its first 4 KiB block.
struct FixedBlocks {
    std::size_t bootBlock = 0;
    std::size_t bootText = 0;      // where "Award BootBlock BIOS" stands in it
    std::size_t decompression = 0; // db: where "= Award Decompression Bios =" starts

    // P3 = (db rounded down to 4 KiB) + 0xFFE holds C3, P2 = P3 + 1 holds C2.
    std::size_t c3Offset() const { return decompression / CheckBlockSize * CheckBlockSize + 0xFFE; }
    std::size_t c2Offset() const { return c3Offset() + 1; }
    // Nothing of a module chain may reach into the decompression block's 4 KiB.
    std::size_t chainLimit() const { return decompression / CheckBlockSize * CheckBlockSize; }
};

// Award images of 128 and 256 KiB are the ones measured; others are refused
// with this reason.
bool KnownImageSize(std::uint64_t size);
FileError UnknownImageSize(std::uint64_t size);

// How many first bytes CutShortImage looks at.
inline constexpr std::size_t ImageHeadLength = 7;

// For a file of length whose first bytes are head: when it starts as an
// Award image does (a module header, "-lh5-" or "-lh0-" from its third
// byte) but has no image's size, the reason it is refused, told as an image
// cut short; none otherwise.
std::optional<Reason> CutShortImage(std::uint64_t length, std::span<const std::uint8_t> head);

// Finds the two blocks and checks that they are where measured images have
// them: a 128 or 256 KiB image, the boot block's text in its last 8 KiB (in
// any mix of upper and lower case), the decompression text exactly once and
// before the boot block, and the check bytes before the boot block. A file of
// an image's size without them is refused as "not an Award BIOS image".
FileResult<FixedBlocks> FindFixedBlocks(std::span<const std::uint8_t> image);

} // namespace kalvero::bios
