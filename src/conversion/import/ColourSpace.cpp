#include "conversion/import/ColourSpace.h"

#include <algorithm>
#include <array>
#include <cmath>

namespace kalvero {
namespace {

// sRGB primaries in CIE XYZ; each row's sum is the D65 white, so that white
// has a = b = 0 exactly.
constexpr float Xr = 0.4124564F, Xg = 0.3575761F, Xb = 0.1804375F;
constexpr float Yr = 0.2126729F, Yg = 0.7151522F, Yb = 0.0721750F;
constexpr float Zr = 0.0193339F, Zg = 0.1191920F, Zb = 0.9503041F;
constexpr float WhiteX = Xr + Xg + Xb;
constexpr float WhiteY = Yr + Yg + Yb;
constexpr float WhiteZ = Zr + Zg + Zb;

std::array<float, 256> MakeLinearTable() {
    std::array<float, 256> table{};
    for (std::size_t value = 0; value < table.size(); ++value) {
        const double v = static_cast<double>(value) / 255.0;
        table[value] =
            static_cast<float>(v <= 0.04045 ? v / 12.92 : std::pow((v + 0.055) / 1.055, 2.4));
    }
    return table;
}

// On first use, so that colours made while other files are initialised are right.
const std::array<float, 256>& LinearTable() {
    static const std::array<float, 256> table = MakeLinearTable();
    return table;
}

float LabCurve(float t) {
    constexpr float Delta = 6.0F / 29.0F;
    return t > Delta * Delta * Delta ? std::cbrt(t) : t / (3 * Delta * Delta) + 4.0F / 29.0F;
}

float Luminance(const LinearRgb& c) {
    return Yr * c.r + Yg * c.g + Yb * c.b;
}

} // namespace

float LinearFromSrgb(std::uint8_t value) {
    return LinearTable()[value];
}

std::uint8_t SrgbFromLinear(float value) {
    const double v = std::clamp(static_cast<double>(value), 0.0, 1.0);
    const double encoded = v <= 0.0031308 ? v * 12.92 : 1.055 * std::pow(v, 1 / 2.4) - 0.055;
    return static_cast<std::uint8_t>(std::lround(encoded * 255.0));
}

Lab LabFromLinear(const LinearRgb& c) {
    const float fx = LabCurve((Xr * c.r + Xg * c.g + Xb * c.b) / WhiteX);
    const float fy = LabCurve(Luminance(c) / WhiteY);
    const float fz = LabCurve((Zr * c.r + Zg * c.g + Zb * c.b) / WhiteZ);
    return Lab{116 * fy - 16, 500 * (fx - fy), 200 * (fy - fz)};
}

Swatch SwatchFromLinear(const LinearRgb& colour) {
    return Swatch{colour, LabFromLinear(colour)};
}

Swatch SwatchFromRgb(const Rgb& colour) {
    return SwatchFromLinear(
        LinearRgb{LinearFromSrgb(colour.r), LinearFromSrgb(colour.g), LinearFromSrgb(colour.b)});
}

Rgb RgbFromLinear(const LinearRgb& colour) {
    return Rgb{SrgbFromLinear(colour.r), SrgbFromLinear(colour.g), SrgbFromLinear(colour.b)};
}

float DeltaE(const Lab& first, const Lab& second) {
    const float dl = first.l - second.l;
    const float da = first.a - second.a;
    const float db = first.b - second.b;
    return std::sqrt(dl * dl + da * da + db * db);
}

std::uint8_t GreyValue(const LinearRgb& colour) {
    return SrgbFromLinear(Luminance(colour) / WhiteY);
}

} // namespace kalvero
