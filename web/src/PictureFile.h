#pragma once

#include <optional>
#include <string>

namespace kalvero::web {

// A picture of any kind that the browser decoded is handed over as a file of
// its own: "NAME.rgba", the width and height as 32-bit little-endian numbers,
// then 4 bytes a pixel, red, green, blue and alpha.
bool IsDecodedPicture(const std::string& path);

// Makes the two-colour bitmap of the logo's size from the decoded picture,
// as kalvero-cli import --mono does, and writes it beside it as NAME.bmp;
// its path, or nothing when the picture cannot be read.
std::optional<std::string> BitmapFromDecodedPicture(const std::string& path);

} // namespace kalvero::web
