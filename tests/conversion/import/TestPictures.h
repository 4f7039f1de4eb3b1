#pragma once

#include "conversion/PreviewImage.h"
#include "conversion/import/SwatchImage.h"

namespace kalvero::test {

inline constexpr Rgb Black{0, 0, 0};
inline constexpr Rgb White{255, 255, 255};
inline constexpr Rgb Red{255, 0, 0};

// A picture of one colour, to paint on.
inline RgbImage FlatPicture(int width, int height, Rgb colour) {
    return RgbImage{width, height,
                    std::vector<Rgb>(static_cast<std::size_t>(width * height), colour)};
}

inline void PaintRect(RgbImage& picture, int left, int top, int width, int height, Rgb colour) {
    for (int y = top; y < top + height; ++y) {
        for (int x = left; x < left + width; ++x) {
            picture.pixels[static_cast<std::size_t>(y * picture.width + x)] = colour;
        }
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
