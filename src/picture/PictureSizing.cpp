#include "picture/PictureSizing.h"

#include "document/LogoGeometry.h"
#include "picture/PictureLimits.h"

#include <algorithm>
#include <cmath>

namespace kalvero {
namespace {

constexpr int DetailedWidth = LogoWidth * EnoughDetail;
constexpr int DetailedHeight = TallLogoHeight * EnoughDetail;
constexpr int BytesPerUnknownPixel = 4;
constexpr std::uint64_t LineAlignment = 4; // QImage starts every line on 4 bytes

} // namespace

QSize Upright(QSize size, QImageIOHandler::Transformations orientation) {
    return orientation.testFlag(QImageIOHandler::TransformationRotate90) ? size.transposed() : size;
}

std::uint64_t DecodedBytes(QSize size, QImage::Format format) {
    if (size.isEmpty()) {
        return 0;
    }
    const int bits = format == QImage::Format_Invalid
                         ? 8 * BytesPerUnknownPixel
                         : QImage::toPixelFormat(format).bitsPerPixel();
    const std::uint64_t lineBytes =
        (static_cast<std::uint64_t>(size.width()) * static_cast<std::uint64_t>(bits) + 7) / 8;
    const std::uint64_t alignedLine =
        (lineBytes + LineAlignment - 1) / LineAlignment * LineAlignment;
    return alignedLine * static_cast<std::uint64_t>(size.height());
}

QSize DetailedSize(QSize upright) {
    const double width = upright.width();
    const double height = upright.height();
    const double detail = std::min(1.0, std::max(DetailedWidth / width, DetailedHeight / height));
    const double scale = std::min({detail, MaxPictureSide / width, MaxPictureSide / height});
    return {std::max(1, static_cast<int>(std::lround(width * scale))),
            std::max(1, static_cast<int>(std::lround(height * scale)))};
}

int ReductionFactor(QSize upright) {
    const int detail =
        std::max(1, std::min(upright.width() / DetailedWidth, upright.height() / DetailedHeight));
    const auto fit = [](int length) {
        return (length + MaxPictureSide - 1) / MaxPictureSide;
    };
    return std::max({detail, fit(upright.width()), fit(upright.height())});
}

} // namespace kalvero
