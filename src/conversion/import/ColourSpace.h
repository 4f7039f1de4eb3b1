#pragma once

#include "document/Palette.h"

#include <cstdint>

namespace kalvero {

// Light as it adds up on the screen, each channel 0..1. Averages and dither
// mixtures are taken here, because the eye averages light, not sRGB numbers.
struct LinearRgb {
    float r = 0;
    float g = 0;
    float b = 0;
};

// CIELAB (D65 white): L from 0 (black) to 100 (white); distances between Lab
// colours follow what people see far better than distances between RGB values.
struct Lab {
    float l = 0;
    float a = 0;
    float b = 0;
};

// A colour in both forms, so that neither has to be worked out twice.
struct Swatch {
    LinearRgb linear;
    Lab lab;
};

float LinearFromSrgb(std::uint8_t value);
// Rounded to the nearest 8-bit value; out-of-range light is clipped.
std::uint8_t SrgbFromLinear(float value);

Lab LabFromLinear(const LinearRgb& colour);
Swatch SwatchFromLinear(const LinearRgb& colour);
Swatch SwatchFromRgb(const Rgb& colour);
Rgb RgbFromLinear(const LinearRgb& colour);

// The CIE 1976 colour difference: the straight distance in Lab. About 2.3 is
// the smallest difference most people notice side by side.
float DeltaE(const Lab& first, const Lab& second);

// The 8-bit grey that has the colour's luminance: what a black-and-white
// picture of it shows, 0..255.
std::uint8_t GreyValue(const LinearRgb& colour);

} // namespace kalvero
