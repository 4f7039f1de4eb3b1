#pragma once

#include "base/FileResult.h"
#include "editor/LanguageTexts.h"

#include <cstdint>
#include <optional>
#include <span>
#include <string>
#include <vector>

namespace kalvero {

// The editor's one door to the BIOS core: what it takes out of an Award image
// and what it puts back, so that a change of the core's interface touches
// this file only.

// Whether a file of this length may be an Award image (the core decides).
bool MayBeBiosImage(std::uint64_t length);

// How many first bytes ImageCutShort needs.
std::size_t ImageHeadLength();
// Why a file of length that starts with head as an image does, but has no
// image's size, is refused as an image cut short; none for another file.
std::optional<Reason> ImageCutShort(std::uint64_t length, std::span<const std::uint8_t> head);

// The boot logo of an image: an EPA version-1 logo or an EPA 2.0 image, as
// the image holds it.
struct ImageLogo {
    std::vector<std::uint8_t> logo;
    bool epa2 = false;
    bool tall = false; // 126 pixel lines or more
};

// The logos of an image whose every check holds that the editor shows: the
// boot logo (a version-1 logo of 17 x 6 or 17 x 9 cells, or an EPA 2.0 image)
// and the full-screen logo, where it has them. An image with neither is
// refused with the reason `bios verify` and `bios replace` give for its boot
// logo: a damaged image, one without a logo module, a logo of no kind Kalvero
// knows.
struct ImageLogos {
    ImageLogo boot;                       // its logo empty: none
    std::vector<std::uint8_t> fullScreen; // empty: none
    Reason bootProblem;                   // why there is no boot logo beside the full-screen one
};
FileResult<ImageLogos> LogosOfImage(std::span<const std::uint8_t> image);

// The new image `bios replace` makes of image and logo (with fullScreen, as
// `bios replace --full-screen`), proven, and its checks. other is the other
// logo as the editor holds it (or empty): where it differs from the image's
// own it is replaced too, by the same core, so that the new image holds every
// logo the editor changed. Refused with the core's reason (one that no
// longer fits says by how many bytes).
struct NewImage {
    std::vector<std::uint8_t> bytes;
    std::vector<ImageCheck> checks;
    Reason note; // what the core says beside it, if anything
};
FileResult<NewImage> ImageWithLogo(std::span<const std::uint8_t> image,
                                   std::span<const std::uint8_t> logo, bool fullScreen,
                                   std::span<const std::uint8_t> other);

} // namespace kalvero
