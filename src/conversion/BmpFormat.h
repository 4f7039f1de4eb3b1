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

// The bytes of a row of a 16-colour bitmap of this width: 4 bits a pixel, in
// whole 32-bit words.
constexpr int ColourBmpRowBytes(int width) {
    return (width + 7) / 8 * 4;
}

// The length of a 16-colour bitmap of width x height in the four accepted
// bitmaps' layout: 5830 for 136 x 84, 153718 for a full-screen logo of 640 x
// 480.
constexpr std::uint64_t ColourBmpLength(int width, int height) {
    return ColourBmpPixelOffset + static_cast<std::uint64_t>(ColourBmpRowBytes(width)) *
                                      static_cast<std::uint64_t>(height);
}

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
