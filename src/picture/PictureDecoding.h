#pragma once

#include "base/FileResult.h"
#include "conversion/RgbImage.h"

#include <cstdint>
#include <span>

namespace kalvero {

struct DecodedPicture {
    // sRGB, transparent parts laid over black, upright; large pictures come
    // smaller (PictureLimits.h).
    RgbImage pixels;
    // TallFor the picture's own shape, upright, whatever size pixels has.
    bool tall = true;
};

// Decodes a picture file's bytes with Qt's image readers, which live in the
// picture module (kalvero-picture) beside the program, loaded on first use.
// A damaged or hostile picture, and a missing module, give the reason.
FileResult<DecodedPicture> DecodePicture(std::span<const std::uint8_t> file);

} // namespace kalvero
