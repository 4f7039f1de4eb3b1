#include "conversion/import/PictureDetail.h"

#include "conversion/import/BitmapPalette.h"

#include <algorithm>
#include <limits>

namespace kalvero {
namespace {

// Enough pixels to choose a few colours by: a picture larger than this is
// looked at in a grid of every step-th pixel across and down.
constexpr int SampledPixels = 1 << 14;

SwatchImage Sample(const SwatchImage& picture) {
    int step = 1;
    while (picture.width / step * (picture.height / step) > SampledPixels) {
        ++step;
    }
    SwatchImage sample{(picture.width + step - 1) / step, (picture.height + step - 1) / step, {}};
    for (int y = 0; y < picture.height; y += step) {
        for (int x = 0; x < picture.width; x += step) {
            sample.pixels.push_back(picture.at(x, y));
        }
    }
    return sample;
}

} // namespace

SwatchImage WithColours(const SwatchImage& picture, int colours) {
    std::vector<Swatch> choices;
    for (const Rgb& colour : PictureColours(Sample(picture), static_cast<std::size_t>(colours))) {
        choices.push_back(SwatchFromRgb(colour));
    }
    SwatchImage fewer = picture;
    for (Swatch& pixel : fewer.pixels) {
        float nearest = std::numeric_limits<float>::infinity();
        for (const Swatch& choice : choices) {
            if (const float distance = DeltaE(pixel.lab, choice.lab); distance < nearest) {
                nearest = distance;
                pixel = choice;
            }
        }
    }
    return fewer;
}

SwatchImage OnBlack(const SwatchImage& picture, int width, int height) {
    SwatchImage black{
        width, height,
        std::vector<Swatch>(static_cast<std::size_t>(width) * static_cast<std::size_t>(height),
                            SwatchFromRgb({0, 0, 0}))};
    const int left = (width - picture.width) / 2;
    const int top = (height - picture.height) / 2;
    for (int y = 0; y < picture.height; ++y) {
        std::copy_n(picture.pixels.begin() + y * picture.width, picture.width,
                    black.pixels.begin() + (top + y) * width + left);
    }
    return black;
}

} // namespace kalvero
