#pragma once

#include "conversion/RgbImage.h"
#include "conversion/import/SwatchImage.h"

namespace kalvero {

enum class Scaling {
    Fit,     // the whole picture, its shape kept, black bars where it does not reach
    Fill,    // the target covered, its shape kept, what stands out cut off
    Stretch, // the whole picture over the whole target, its shape changed
};

// Where the scaled picture stands in the target (a logo or a full-screen
// image), in its pixels; with Fill it reaches past the target's edges.
struct Placement {
    int left = 0;
    int top = 0;
    int width = 0;
    int height = 0;
    friend bool operator==(const Placement&, const Placement&) = default;
};

// The tall logo (136 x 126) suits every picture but a wide one: the short logo
// (136 x 84) is taken when the picture is at least 1.4 times as wide as high,
// so 3:2 and 16:9 go short while 4:3, squares and portraits go tall.
bool TallFor(int width, int height);

Placement PlacePicture(int width, int height, int targetWidth, int targetHeight, Scaling scaling);

// The picture resampled to targetWidth x targetHeight as PlacePicture puts it:
// each target pixel is the average light of the picture area it covers
// (exactly the picture's pixel when the sizes agree); pixels the picture does
// not reach are black. invert takes the picture's negative first, so bars stay
// black.
SwatchImage FitPicture(const RgbImage& picture, int targetWidth, int targetHeight, Scaling scaling,
                       bool invert);

} // namespace kalvero
