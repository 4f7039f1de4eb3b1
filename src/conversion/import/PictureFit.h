#pragma once

#include "conversion/RgbImage.h"
#include "conversion/import/SwatchImage.h"

namespace kalvero {

enum class Scaling {
    Fit,     // the whole picture, its shape kept, black bars where it does not reach
    Fill,    // the logo covered, its shape kept, what stands out cut off
    Stretch, // the whole picture over the whole logo, its shape changed
};

// Where the scaled picture stands in the logo, in logo pixels; with Fill it
// reaches past the logo's edges.
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

Placement PlacePicture(int width, int height, int logoHeight, Scaling scaling);

// The picture resampled to 136 x logoHeight as PlacePicture puts it: each logo
// pixel is the average light of the picture area it covers (exactly the
// picture's pixel when the sizes agree); pixels the picture does not reach are
// black. invert takes the picture's negative first, so bars stay black.
SwatchImage FitPicture(const RgbImage& picture, int logoHeight, Scaling scaling, bool invert);

} // namespace kalvero
