#include "conversion/import/Dithering.h"

#include "conversion/import/ColourMix.h"

#include <algorithm>
#include <array>
#include <limits>

namespace kalvero {
namespace {

// Bayer's 8 x 8 threshold matrix: thresholds spread evenly in every window.
constexpr std::array<std::array<std::uint8_t, 8>, 8> Bayer{{
    {0, 32, 8, 40, 2, 34, 10, 42},
    {48, 16, 56, 24, 50, 18, 58, 26},
    {12, 44, 4, 36, 14, 46, 6, 38},
    {60, 28, 52, 20, 62, 30, 54, 22},
    {3, 35, 11, 43, 1, 33, 9, 41},
    {51, 19, 59, 27, 49, 17, 57, 25},
    {15, 47, 7, 39, 13, 45, 5, 37},
    {63, 31, 55, 23, 61, 29, 53, 21},
}};

// Dithering tries the pairs among this many nearest choices only; farther
// colours make grainy mixtures that never win.
constexpr std::size_t PairCandidates = 6;

std::uint8_t Nearest(const Lab& colour, std::span<const Swatch> choices) {
    std::size_t best = 0;
    float bestDistance = DeltaE(colour, choices[0].lab);
    for (std::size_t i = 1; i < choices.size(); ++i) {
        const float distance = DeltaE(colour, choices[i].lab);
        if (distance < bestDistance) {
            best = i;
            bestDistance = distance;
        }
    }
    return static_cast<std::uint8_t>(best);
}

// Two choices dithered together, the darker first: the share t of the lighter
// one is what the pattern or the error decides on, so that along a gradient
// the dots grow steadily whichever colour is nearer.
struct Pair {
    std::size_t darker = 0;
    std::size_t lighter = 0;
    Mix mix;
};

// The pair, among the nearest choices, whose mixture shows the pixel best;
// the nearest colour alone competes too when alone is allowed.
Pair BestPair(const Swatch& pixel, std::span<const Swatch> choices, bool alone) {
    std::array<std::size_t, 16> order{};
    const std::size_t count = std::min(choices.size(), order.size());
    for (std::size_t i = 0; i < count; ++i) {
        order[i] = i;
    }
    const std::size_t nearest = std::min(count, PairCandidates);
    std::partial_sort(order.begin(), order.begin() + static_cast<long>(nearest),
                      order.begin() + static_cast<long>(count), [&](std::size_t l, std::size_t r) {
                          return DeltaE(pixel.lab, choices[l].lab) <
                                 DeltaE(pixel.lab, choices[r].lab);
                      });
    Pair best{order[0], order[0], BestMix(pixel, choices[order[0]], choices[order[0]])};
    if (!alone && nearest > 1) {
        best.mix.cost = std::numeric_limits<float>::infinity();
    }
    for (std::size_t i = 0; i < nearest; ++i) {
        for (std::size_t j = i + 1; j < nearest; ++j) {
            const bool inOrder = choices[order[i]].lab.l <= choices[order[j]].lab.l;
            const std::size_t a = inOrder ? order[i] : order[j];
            const std::size_t b = inOrder ? order[j] : order[i];
            const Mix mix = BestMix(pixel, choices[a], choices[b]);
            if (mix.cost < best.mix.cost) {
                best = Pair{a, b, mix};
            }
        }
    }
    return best;
}

std::uint8_t OrderedChoice(const Swatch& pixel, std::span<const Swatch> choices, int x, int y) {
    // Where the nearest colour alone wins, a near-flat area stays clean
    // instead of taking the odd stray dot.
    const Pair pair = BestPair(pixel, choices, true);
    const std::uint8_t level =
        Bayer[static_cast<std::size_t>(y % 8)][static_cast<std::size_t>(x % 8)];
    return static_cast<std::uint8_t>(pair.mix.t > (level + 0.5F) / 64 ? pair.lighter : pair.darker);
}

LinearRgb Clamped(const LinearRgb& c) {
    return {std::clamp(c.r, 0.0F, 1.0F), std::clamp(c.g, 0.0F, 1.0F), std::clamp(c.b, 0.0F, 1.0F)};
}

void Spread(LinearRgb& target, const LinearRgb& error, float share) {
    target.r += error.r * share;
    target.g += error.g * share;
    target.b += error.b * share;
}

std::vector<std::uint8_t> Diffuse(const SwatchImage& picture, const PixelChoices& choices) {
    std::vector<std::uint8_t> chosen(picture.pixels.size());
    // Errors waiting for this row and the next, one spare pixel at each side.
    std::vector<LinearRgb> current(static_cast<std::size_t>(picture.width) + 2);
    std::vector<LinearRgb> next(current.size());
    for (int y = 0; y < picture.height; ++y) {
        const bool rightward = y % 2 == 0;
        const int step = rightward ? 1 : -1;
        for (int i = 0; i < picture.width; ++i) {
            const int x = rightward ? i : picture.width - 1 - i;
            const auto near = [&](std::vector<LinearRgb>& row, int dx) -> LinearRgb& {
                return row[static_cast<std::size_t>(x + 1 + dx)];
            };
            const LinearRgb& source = picture.at(x, y).linear;
            const LinearRgb& carried = near(current, 0);
            const LinearRgb wanted =
                Clamped({source.r + carried.r, source.g + carried.g, source.b + carried.b});
            // Only what the pair can show is passed on: light it cannot show at
            // all would pile up and spill into pixels far away.
            const std::span<const Swatch> options = choices(x, y);
            // Error passed on along the pair's line keeps the light.
            const Pair pair = BestPair(SwatchFromLinear(wanted), options, false);
            const std::size_t choice = pair.mix.t >= 0.5F ? pair.lighter : pair.darker;
            chosen[static_cast<std::size_t>(y * picture.width + x)] =
                static_cast<std::uint8_t>(choice);
            const LinearRgb& dark = options[pair.darker].linear;
            const LinearRgb& light = options[pair.lighter].linear;
            const LinearRgb& shown = options[choice].linear;
            const float t = pair.mix.t;
            const LinearRgb error{dark.r + t * (light.r - dark.r) - shown.r,
                                  dark.g + t * (light.g - dark.g) - shown.g,
                                  dark.b + t * (light.b - dark.b) - shown.b};
            Spread(near(current, step), error, 7.0F / 16);
            Spread(near(next, -step), error, 3.0F / 16);
            Spread(near(next, 0), error, 5.0F / 16);
            Spread(near(next, step), error, 1.0F / 16);
        }
        std::swap(current, next);
        std::fill(next.begin(), next.end(), LinearRgb{});
    }
    return chosen;
}

} // namespace

std::vector<std::uint8_t> DitherPicture(const SwatchImage& picture, Dither dither,
                                        const PixelChoices& choices) {
    if (dither == Dither::Diffusion) {
        return Diffuse(picture, choices);
    }
    std::vector<std::uint8_t> chosen;
    chosen.reserve(picture.pixels.size());
    for (int y = 0; y < picture.height; ++y) {
        for (int x = 0; x < picture.width; ++x) {
            const Swatch& pixel = picture.at(x, y);
            chosen.push_back(dither == Dither::Ordered ? OrderedChoice(pixel, choices(x, y), x, y)
                                                       : Nearest(pixel.lab, choices(x, y)));
        }
    }
    return chosen;
}

} // namespace kalvero
