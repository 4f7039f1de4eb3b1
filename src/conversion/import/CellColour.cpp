#include "conversion/import/CellColour.h"

#include "conversion/import/ColourMix.h"

#include <algorithm>

namespace kalvero {
namespace {

std::array<Swatch, PaletteSize> MakeLogoSwatches() {
    std::array<Swatch, PaletteSize> swatches{};
    std::transform(Palette.begin(), Palette.end(), swatches.begin(), SwatchFromRgb);
    return swatches;
}

float CellCost(std::span<const Swatch> cell, const Swatch& foreground, Dither dither) {
    const Swatch& black = LogoSwatches()[0];
    float cost = 0;
    for (const Swatch& pixel : cell) {
        cost += dither == Dither::None
                    ? std::min(DeltaE(pixel.lab, black.lab), DeltaE(pixel.lab, foreground.lab))
                    : BestMix(pixel, black, foreground).cost;
    }
    return cost;
}

} // namespace

const std::array<Swatch, PaletteSize>& LogoSwatches() {
    static const std::array<Swatch, PaletteSize> swatches = MakeLogoSwatches();
    return swatches;
}

int BestForeground(std::span<const Swatch> cell, Dither dither) {
    int best = 0;
    float bestCost = CellCost(cell, LogoSwatches()[0], dither);
    for (int colour = 1; colour < PaletteSize; ++colour) {
        const float cost = CellCost(cell, LogoSwatches()[static_cast<std::size_t>(colour)], dither);
        if (cost < bestCost) {
            best = colour;
            bestCost = cost;
        }
    }
    return best;
}

} // namespace kalvero
