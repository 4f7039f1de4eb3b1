#pragma once

#include <cstdint>

namespace kalvero {

inline constexpr std::uint64_t MonoBmpShortLength = 1742;
inline constexpr std::uint64_t MonoBmpTallLength = 2582;
inline constexpr std::uint64_t ColourBmpShortLength = 5830;
inline constexpr std::uint64_t ColourBmpTallLength = 8686;

// Fixed offsets of the four accepted bitmap layouts.
inline constexpr int BmpPaletteOffset = 54;
inline constexpr int BmpPaletteLength = 64; // 16 entries of blue, green, red, reserved
inline constexpr int MonoBmpPixelOffset = 62;
inline constexpr int MonoBmpRowLength = 20; // 17 bytes of pixels, 3 of padding
inline constexpr int ColourBmpPixelOffset = 118;
inline constexpr int ColourBmpRowLength = 68;

enum class BmpKind { Mono84, Mono126, Colour84, Colour126, NotAccepted };

// The file's size alone tells which of the four accepted bitmaps it is; no
// header field is read.
BmpKind ClassifyBmpSize(std::uint64_t length);

inline bool IsColourBmp(BmpKind kind) {
    return kind == BmpKind::Colour84 || kind == BmpKind::Colour126;
}

inline bool IsTallBmp(BmpKind kind) {
    return kind == BmpKind::Mono126 || kind == BmpKind::Colour126;
}

} // namespace kalvero
