#pragma once

#include "conversion/RgbImage.h"

#include <QImage>
#include <QImageIOHandler>

namespace kalvero {

// A decoded picture's pixels as the import takes them: in sRGB (converted
// from the picture's colour space), transparent parts laid over black, each
// reduction x reduction block averaged in linear light (blocks at the right and
// bottom edges may be smaller), then turned as orientation says. Works on
// tiles of the picture, so that no whole-picture copy is made in any format.
RgbImage RgbFromImage(const QImage& image, int reduction,
                      QImageIOHandler::Transformations orientation);

} // namespace kalvero
