#pragma once

#include "conversion/import/ColourSpace.h"

namespace kalvero {

// Two colours dithered together, b on a share t of the pixels and a on the
// rest, to show one colour.
struct Mix {
    float t = 0;
    float cost = 0;
};

// How much of b dithered into a comes nearest to pixel in light, and what that
// costs: the Lab distance of the mixture (what is seen from afar) plus
// NoiseWeight times the mean distance of the single dots (what is seen close
// up), so that of two mixtures alike from afar the calmer one wins.
Mix BestMix(const Swatch& pixel, const Swatch& a, const Swatch& b);

} // namespace kalvero
