#include "picture/RgbConversion.h"

#include "conversion/import/ColourSpace.h"

#include <QColorSpace>
#include <QColorTransform>
#include <algorithm>
#include <array>
#include <optional>

namespace kalvero {
namespace {

// Pixels of one row of a tile: the copies made for the conversion stay small.
// Tiles start on whole bytes of one-bit pictures too.
constexpr int TileWidth = 4096;
constexpr int TileAlignment = 8;

// A tile in sRGB over black: premultiplied colour is the colour laid over
// black. Deep formats keep 16 bits a channel through the colour conversion.
QImage SrgbOverBlack(QImage tile, const std::optional<QColorTransform>& toSrgb) {
    if (toSrgb) {
        tile.convertTo(tile.depth() > 32 ? QImage::Format_RGBA64 : QImage::Format_ARGB32);
        tile.applyColorTransform(*toSrgb);
    }
    tile.convertTo(QImage::Format_RGBA8888_Premultiplied);
    return tile;
}

std::optional<QColorTransform> TransformToSrgb(const QImage& image) {
    const QColorSpace space = image.colorSpace();
    if (!space.isValid() || space == QColorSpace(QColorSpace::SRgb)) {
        return std::nullopt;
    }
    return space.transformationToColorSpace(QColorSpace(QColorSpace::SRgb));
}

// As Qt turns pictures: mirror and flip first, then a quarter turn clockwise.
RgbImage Oriented(const RgbImage& picture, QImageIOHandler::Transformations orientation) {
    const bool mirror = orientation.testFlag(QImageIOHandler::TransformationMirror);
    const bool flip = orientation.testFlag(QImageIOHandler::TransformationFlip);
    const bool turn = orientation.testFlag(QImageIOHandler::TransformationRotate90);
    const int width = picture.width;
    const int height = picture.height;
    RgbImage turned{turn ? height : width, turn ? width : height, {}};
    turned.pixels.reserve(picture.pixels.size());
    for (int y = 0; y < turned.height; ++y) {
        for (int x = 0; x < turned.width; ++x) {
            const int unturnedX = turn ? y : x;
            const int unturnedY = turn ? height - 1 - x : y;
            turned.pixels.push_back(picture.at(mirror ? width - 1 - unturnedX : unturnedX,
                                               flip ? height - 1 - unturnedY : unturnedY));
        }
    }
    return turned;
}

// Sums of light for one row of reduced pixels.
class ReducedRow {
public:
    ReducedRow(int width, int reduction, int pictureWidth)
        : sums_(static_cast<std::size_t>(width)), reduction_(reduction),
          pictureWidth_(pictureWidth) {
        for (int value = 0; value < 256; ++value) {
            light_[static_cast<std::size_t>(value)] =
                LinearFromSrgb(static_cast<std::uint8_t>(value));
        }
    }

    void add(const QImage& tile, int left) {
        for (int y = 0; y < tile.height(); ++y) {
            const uchar* line = tile.constScanLine(y);
            for (int x = 0; x < tile.width(); ++x) {
                LinearRgb& sum = sums_[static_cast<std::size_t>((left + x) / reduction_)];
                sum.r += light_[line[4 * x]];
                sum.g += light_[line[4 * x + 1]];
                sum.b += light_[line[4 * x + 2]];
            }
        }
    }

    // The averages of blocks rows high, written to out; the sums start again.
    void take(int rows, Rgb* out) {
        for (std::size_t x = 0; x < sums_.size(); ++x) {
            const int columns =
                std::min(reduction_, pictureWidth_ - static_cast<int>(x) * reduction_);
            const float share = 1.0F / static_cast<float>(columns * rows);
            const LinearRgb& sum = sums_[x];
            out[x] = {SrgbFromLinear(sum.r * share), SrgbFromLinear(sum.g * share),
                      SrgbFromLinear(sum.b * share)};
            sums_[x] = {};
        }
    }

private:
    std::vector<LinearRgb> sums_;
    std::array<float, 256> light_{};
    int reduction_;
    int pictureWidth_;
};

} // namespace

RgbImage RgbFromImage(const QImage& image, int reduction,
                      QImageIOHandler::Transformations orientation) {
    reduction = std::max(1, reduction);
    const int width = image.width();
    const int height = image.height();
    RgbImage reduced{(width + reduction - 1) / reduction, (height + reduction - 1) / reduction, {}};
    reduced.pixels.resize(static_cast<std::size_t>(reduced.width) *
                          static_cast<std::size_t>(reduced.height));
    const std::optional<QColorTransform> toSrgb = TransformToSrgb(image);
    const int tileWidth =
        std::max(1, TileWidth / (TileAlignment * reduction)) * TileAlignment * reduction;
    ReducedRow row(reduced.width, reduction, width);
    for (int top = 0; top < height; top += reduction) {
        const int rows = std::min(reduction, height - top);
        Rgb* out = reduced.pixels.data() + static_cast<std::size_t>(top / reduction) *
                                               static_cast<std::size_t>(reduced.width);
        for (int left = 0; left < width; left += tileWidth) {
            const QImage tile = SrgbOverBlack(
                image.copy(left, top, std::min(tileWidth, width - left), rows), toSrgb);
            if (reduction > 1) {
                row.add(tile, left);
                continue;
            }
            const uchar* line = tile.constScanLine(0);
            for (int x = 0; x < tile.width(); ++x) {
                out[left + x] = {line[4 * x], line[4 * x + 1], line[4 * x + 2]};
            }
        }
        if (reduction > 1) {
            row.take(rows, out);
        }
    }
    return orientation == QImageIOHandler::TransformationNone ? reduced
                                                              : Oriented(reduced, orientation);
}

} // namespace kalvero
