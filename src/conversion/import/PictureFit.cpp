#include "conversion/import/PictureFit.h"

#include <algorithm>
#include <array>
#include <cmath>

namespace kalvero {
namespace {

// Short only from this width-to-height ratio on; see TallFor.
constexpr int ShortRatioTenths = 14;

// The source pixels one destination pixel covers along one axis, with the
// share of each: taps begin[d] to begin[d + 1] - 1 belong to destination pixel
// d; their weights add up to 1, or there are none where the picture does not
// reach.
struct Taps {
    std::vector<std::size_t> begin;
    std::vector<std::size_t> sources;
    std::vector<float> weights;
};

Taps AxisTaps(int sourceLength, int placedStart, int placedLength, int destinationLength) {
    Taps taps;
    const double scale = static_cast<double>(sourceLength) / placedLength;
    for (int d = 0; d < destinationLength; ++d) {
        taps.begin.push_back(taps.sources.size());
        const int inside = d - placedStart;
        if (inside < 0 || inside >= placedLength) {
            continue;
        }
        const double from = inside * scale;
        const double to = (inside + 1) * scale;
        const int last = std::min(sourceLength - 1, static_cast<int>(std::ceil(to)) - 1);
        for (int s = static_cast<int>(std::floor(from)); s <= last; ++s) {
            const double overlap = std::min<double>(to, s + 1) - std::max<double>(from, s);
            if (overlap > 0) {
                taps.sources.push_back(static_cast<std::size_t>(s));
                taps.weights.push_back(static_cast<float>(overlap / (to - from)));
            }
        }
    }
    taps.begin.push_back(taps.sources.size());
    return taps;
}

void AddScaled(LinearRgb& sum, const LinearRgb& colour, float weight) {
    sum.r += colour.r * weight;
    sum.g += colour.g * weight;
    sum.b += colour.b * weight;
}

} // namespace

bool TallFor(int width, int height) {
    return static_cast<long long>(width) * 10 < static_cast<long long>(height) * ShortRatioTenths;
}

Placement PlacePicture(int width, int height, int targetWidth, int targetHeight, Scaling scaling) {
    if (width <= 0 || height <= 0) {
        return Placement{}; // nothing to place: the target stays black
    }
    if (scaling == Scaling::Stretch) {
        return Placement{0, 0, targetWidth, targetHeight};
    }
    const double across = static_cast<double>(targetWidth) / width;
    const double down = static_cast<double>(targetHeight) / height;
    const double scale = scaling == Scaling::Fit ? std::min(across, down) : std::max(across, down);
    const auto length = [&](int source, int target) {
        const int scaled = std::max(1, static_cast<int>(std::lround(source * scale)));
        return scaling == Scaling::Fit ? std::min(scaled, target) : std::max(scaled, target);
    };
    const int placedWidth = length(width, targetWidth);
    const int placedHeight = length(height, targetHeight);
    return Placement{(targetWidth - placedWidth) / 2, (targetHeight - placedHeight) / 2,
                     placedWidth, placedHeight};
}

SwatchImage FitPicture(const RgbImage& picture, int targetWidth, int targetHeight, Scaling scaling,
                       bool invert) {
    std::array<float, 256> light{};
    for (int value = 0; value < 256; ++value) {
        light[static_cast<std::size_t>(value)] =
            LinearFromSrgb(static_cast<std::uint8_t>(invert ? 255 - value : value));
    }
    const Placement placed =
        PlacePicture(picture.width, picture.height, targetWidth, targetHeight, scaling);
    const Taps across = AxisTaps(picture.width, placed.left, placed.width, targetWidth);
    const Taps down = AxisTaps(picture.height, placed.top, placed.height, targetHeight);
    const auto width = static_cast<std::size_t>(targetWidth);

    // Rows first: every picture row shrinks or grows to the target's width.
    std::vector<LinearRgb> rows(static_cast<std::size_t>(picture.height) * width);
    for (int y = 0; y < picture.height; ++y) {
        for (std::size_t x = 0; x < width; ++x) {
            LinearRgb& sum = rows[static_cast<std::size_t>(y) * width + x];
            for (std::size_t t = across.begin[x]; t < across.begin[x + 1]; ++t) {
                const Rgb pixel = picture.at(static_cast<int>(across.sources[t]), y);
                AddScaled(sum, {light[pixel.r], light[pixel.g], light[pixel.b]}, across.weights[t]);
            }
        }
    }
    SwatchImage fitted{targetWidth, targetHeight, {}};
    fitted.pixels.reserve(width * static_cast<std::size_t>(targetHeight));
    for (int y = 0; y < targetHeight; ++y) {
        const auto row = static_cast<std::size_t>(y);
        for (std::size_t x = 0; x < width; ++x) {
            LinearRgb sum;
            for (std::size_t t = down.begin[row]; t < down.begin[row + 1]; ++t) {
                AddScaled(sum, rows[down.sources[t] * width + x], down.weights[t]);
            }
            fitted.pixels.push_back(SwatchFromLinear(sum));
        }
    }
    return fitted;
}

} // namespace kalvero
