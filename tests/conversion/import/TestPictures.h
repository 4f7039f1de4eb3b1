#pragma once

#include "conversion/RgbImage.h"
#include "conversion/import/SwatchImage.h"

namespace kalvero::test {

inline RgbImage FlatPicture(int width, int height, Rgb colour) {
    return RgbImage{width, height,
                    std::vector<Rgb>(static_cast<std::size_t>(width * height), colour)};
}

inline void PaintRect(RgbImage& picture, int left, int top, int width, int height, Rgb colour) {
    for (int y = top; y < top + height; ++y) {
        std::fill_n(picture.pixels.begin() + y * picture.width + left, width, colour);
    }
}

inline SwatchImage Swatches(const RgbImage& picture) {
    SwatchImage image{picture.width, picture.height, {}};
    for (const Rgb& pixel : picture.pixels) {
        image.pixels.push_back(SwatchFromRgb(pixel));
    }
    return image;
}

} // namespace kalvero::test
