#include "conversion/import/CellColour.h"

#include <gtest/gtest.h>
#include <vector>

namespace kalvero {
namespace {

constexpr std::size_t CellPixels = 8 * 14;

// A cell whose first `count` pixels (row by row) are `colour`, the rest black.
std::vector<Swatch> Cell(Rgb colour, std::size_t count = CellPixels) {
    std::vector<Swatch> cell(CellPixels, SwatchFromRgb({0, 0, 0}));
    std::fill_n(cell.begin(), count, SwatchFromRgb(colour));
    return cell;
}

// Distances worked out by hand in CIELAB (Delta E 76).
TEST(CellColour, EachCellGetsTheColourThatShowsItBestOnBlack) {
    const std::tuple<const char*, std::vector<Swatch>, Dither, int> cases[] = {
        {"nearly red: 2.9 from red, 46 from dark red", Cell({250, 5, 5}), Dither::None, 12},
        {"half blue, half black", Cell({0, 0, 255}, CellPixels / 2), Dither::None, 9},
        {"navy", Cell({0, 0, 128}), Dither::None, 1},
        {"white text on black", Cell({255, 255, 255}, 30), Dither::None, 15},
        // Orange (69.5, 36.8, 75.5) is 46.9 from red, 56.1 from olive, 67.3
        // from yellow and 107 from black: red comes nearest.
        {"orange", Cell({255, 140, 0}), Dither::None, 12},
        // Dark grey (L 25.3) is 25.3 from black but 28.3 from grey 128.
        {"dark grey", Cell({60, 60, 60}), Dither::None, 0},
        // Dithered, 21% grey-128 dots give its light exactly.
        {"dark grey, ordered", Cell({60, 60, 60}), Dither::Ordered, 8},
        {"dark grey, diffusion", Cell({60, 60, 60}), Dither::Diffusion, 8},
        {"black, ordered", Cell({0, 0, 0}), Dither::Ordered, 0},
    };
    for (const auto& [what, cell, dither, colour] : cases) {
        EXPECT_EQ(BestForeground(cell, dither), colour) << what;
    }
}

} // namespace
} // namespace kalvero
