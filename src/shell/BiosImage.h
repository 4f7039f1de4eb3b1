#pragma once

#include "base/FileResult.h"
#include "document/LanguageTexts.h"

#include <cstdint>
#include <span>
#include <vector>

namespace kalvero {

// The editor's one door to the BIOS core: what it takes out of an Award image
// and what it puts back, so that a change of the core's interface touches
// this file only.

// Whether a file of this length may be an Award image (the core decides).
bool MayBeBiosImage(std::uint64_t length);

// The logo of an image whose every check holds: an EPA version-1 logo or an
// EPA 2.0 image, as the image holds it.
struct ImageLogo {
    std::vector<std::uint8_t> logo;
    bool epa2 = false;
    bool tall = false; // 126 pixel lines or more
};

// Refused with the reason `bios verify` and `bios replace` give: a damaged
// image, one without a logo module, a logo of no kind Kalvero knows.
FileResult<ImageLogo> LogoOfImage(std::span<const std::uint8_t> image);

// The new image `bios replace` makes of image and logo, proven, and its
// checks; refused with the core's reason (one that no longer fits says by how
// many bytes).
struct NewImage {
    std::vector<std::uint8_t> bytes;
    std::vector<ImageCheck> checks;
};
FileResult<NewImage> ImageWithLogo(std::span<const std::uint8_t> image,
                                   std::span<const std::uint8_t> logo);

} // namespace kalvero
