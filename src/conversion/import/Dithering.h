#pragma once

#include "conversion/import/SwatchImage.h"

#include <cstdint>
#include <functional>
#include <span>
#include <vector>

namespace kalvero {

enum class Dither {
    None,      // each pixel its nearest colour: flat areas stay clean
    Ordered,   // a fixed 8 x 8 pattern mixes two colours: regular, calm texture
    Diffusion, // Floyd-Steinberg: each pixel's error goes on to its neighbours
};

// The colours one pixel may take; the span must stay valid during the call.
using PixelChoices = std::function<std::span<const Swatch>(int x, int y)>;

// For every pixel (top row first) the index of the colour it takes among its
// choices. Without dithering that is the nearest in Lab (ties go to the
// earlier choice). Dithering finds the pair of choices whose mixture shows the
// pixel best (see BestMix); ordered dithering holds the lighter one's share
// against the pattern, where the nearest colour alone may win to keep flat
// areas clean. Diffusion takes the lighter one from a share of one half and
// passes on, in linear light and serpentine across the whole picture, the part
// of the error the pair can show, so the light is kept and neighbours in other
// cells help out.
std::vector<std::uint8_t> DitherPicture(const SwatchImage& picture, Dither dither,
                                        const PixelChoices& choices);

} // namespace kalvero
