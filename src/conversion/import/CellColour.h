#pragma once

#include "conversion/import/ColourSpace.h"
#include "conversion/import/Dithering.h"
#include "document/Palette.h"

#include <array>
#include <span>

namespace kalvero {

// The 16 logo colours, ready for colour decisions.
const std::array<Swatch, PaletteSize>& LogoSwatches();

// The one foreground colour (1 to 15) that shows a cell's pixels best on
// black, found by trying all fifteen: without dithering each pixel then takes
// black or the colour, whichever is nearer, so a colour costs the sum of those
// distances; with dithering each pixel may be a mixture of black and the
// colour, and it costs what BestMix says. 0 when black alone does as well as
// any colour. Ties go to the lower index.
int BestForeground(std::span<const Swatch> cell, Dither dither);

} // namespace kalvero
