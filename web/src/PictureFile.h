#pragma once

#include "conversion/RgbImage.h"

#include <optional>
#include <string>

namespace kalvero::web {

// A picture of any kind that the browser decoded is handed over beside the
// picture file NAME as a file of its own: "NAME.rgba", the width and height
// as 32-bit little-endian numbers, then 4 bytes a pixel, red, green, blue
// and alpha.
bool IsDecodedPicture(const std::string& path);

// Makes the two-colour bitmap of the logo's size from the decoded picture,
// as kalvero-cli import --mono does, and writes it beside it, named as the
// picture with ".bmp" for its extension; its path. Where that cannot be done
// (a picture of more pixels than import takes), the picture file's own path:
// the command then refuses it with its reason, as any other file.
std::string BitmapFromDecodedPicture(const std::string& path);

// The decoded picture that BitmapFromDecodedPicture last made the bitmap at
// path of, for a logo that takes the picture itself; nothing for any other
// file.
std::optional<RgbImage> PictureBehindBitmap(const std::string& path);

} // namespace kalvero::web
