#pragma once

#include "conversion/import/SwatchImage.h"

namespace kalvero {

// Less detail for a logo that must pack smaller: the picture in at most
// colours colours (PictureColours of an even grid of at most 16384 of its
// pixels; each pixel its nearest in Lab, no dithering), so that the logo made
// of it uses no more.
SwatchImage WithColours(const SwatchImage& picture, int colours);

// The picture in the middle of a black picture of width x height (at least
// its size): black packs to next to nothing.
SwatchImage OnBlack(const SwatchImage& picture, int width, int height);

} // namespace kalvero
