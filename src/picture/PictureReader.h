#pragma once

#include "picture/PictureDecoding.h"

namespace kalvero {

// Decodes a picture file's bytes with Qt's image readers, within the limits of
// PictureLimits.h: the size each picture would take decoded is worked out from
// its header and a picture over the limit is refused before it is decoded. A
// decoder's complaint (a damaged or cut-off file) refuses the picture with the
// decoder's words. Text in SVG drawings needs a QGuiApplication.
FileResult<DecodedPicture> ReadPicture(std::span<const std::uint8_t> file);

} // namespace kalvero
