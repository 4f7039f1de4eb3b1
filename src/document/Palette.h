#pragma once

#include <array>
#include <cstdint>

namespace kalvero {

struct Rgb {
    std::uint8_t r;
    std::uint8_t g;
    std::uint8_t b;
    friend constexpr bool operator==(const Rgb&, const Rgb&) = default;
};

inline constexpr int PaletteSize = 16;

// The one table from palette index to colour: canvas, palette buttons, colour
// bar and previews all draw with it.
inline constexpr std::array<Rgb, PaletteSize> Palette{{
    {0, 0, 0},
    {0, 0, 128},
    {0, 128, 0},
    {0, 128, 128},
    {128, 0, 0},
    {128, 0, 128},
    {128, 128, 0},
    {192, 192, 192},
    {128, 128, 128},
    {0, 0, 255},
    {0, 255, 0},
    {0, 255, 255},
    {255, 0, 0},
    {255, 0, 255},
    {255, 255, 0},
    {255, 255, 255},
}};

} // namespace kalvero
