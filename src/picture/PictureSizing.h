#pragma once

#include <QImage>
#include <QImageIOHandler>
#include <QSize>
#include <cstdint>

namespace kalvero {

// The size a picture shows in once turned as its orientation says.
QSize Upright(QSize size, QImageIOHandler::Transformations orientation);

// The memory of a decoded image of this size and pixel format (4 bytes a
// pixel for a format not known before decoding).
std::uint64_t DecodedBytes(QSize size, QImage::Format format);

// The size to ask a decoder for that can decode smaller (upright sizes):
// EnoughDetail times the tall logo's size each way when the picture has that
// much, no side over MaxPictureSide, the picture's shape kept.
QSize DetailedSize(QSize upright);

// The whole factor by which a decoded picture is made smaller (each factor x
// factor block becomes one pixel), for the same aims as DetailedSize.
int ReductionFactor(QSize upright);

} // namespace kalvero
