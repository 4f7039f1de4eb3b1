#include "conversion/import/ColourMix.h"

#include <algorithm>

namespace kalvero {
namespace {

// Chosen by measurement (docs/import.md): lower makes photos grainier, higher
// makes large areas take flatter, less true colours.
constexpr float NoiseWeight = 0.5F;

} // namespace

Mix BestMix(const Swatch& pixel, const Swatch& a, const Swatch& b) {
    const float dr = b.linear.r - a.linear.r;
    const float dg = b.linear.g - a.linear.g;
    const float db = b.linear.b - a.linear.b;
    const float length = dr * dr + dg * dg + db * db;
    float t = 0;
    if (length > 0) {
        t = ((pixel.linear.r - a.linear.r) * dr + (pixel.linear.g - a.linear.g) * dg +
             (pixel.linear.b - a.linear.b) * db) /
            length;
        t = std::clamp(t, 0.0F, 1.0F);
    }
    const Lab mixture =
        LabFromLinear({a.linear.r + t * dr, a.linear.g + t * dg, a.linear.b + t * db});
    const float dots = (1 - t) * DeltaE(pixel.lab, a.lab) + t * DeltaE(pixel.lab, b.lab);
    return Mix{t, DeltaE(pixel.lab, mixture) + NoiseWeight * dots};
}

} // namespace kalvero
