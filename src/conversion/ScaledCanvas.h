#pragma once

#include "conversion/RgbImage.h"

#include <utility>

namespace kalvero {

// A picture of width x height pixels drawn as an RgbImage in which each pixel
// is a square of scale x scale.
class ScaledCanvas {
public:
    ScaledCanvas(int width, int height, int scale, Rgb background)
        : width_(width), height_(height), scale_(scale), image_{width * scale, height * scale, {}} {
        image_.pixels.assign(static_cast<std::size_t>(image_.width) *
                                 static_cast<std::size_t>(image_.height),
                             background);
    }

    int width() const { return width_; }
    int height() const { return height_; }

    void set(int x, int y, Rgb colour) {
        for (int dy = 0; dy < scale_; ++dy) {
            const std::size_t row =
                static_cast<std::size_t>(y * scale_ + dy) * static_cast<std::size_t>(image_.width);
            for (int dx = 0; dx < scale_; ++dx) {
                image_.pixels[row + static_cast<std::size_t>(x * scale_ + dx)] = colour;
            }
        }
    }

    RgbImage take() { return std::move(image_); }

private:
    int width_;
    int height_;
    int scale_;
    RgbImage image_;
};

} // namespace kalvero
