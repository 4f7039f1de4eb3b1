#pragma once

#include "conversion/RgbImage.h"
#include "conversion/import/Dithering.h"
#include "conversion/import/PictureFit.h"

#include <cstdint>
#include <optional>
#include <vector>

namespace kalvero {

enum class ImportTarget {
    MonoBitmap,   // 2 colours, 1742 or 2582 bytes
    ColourBitmap, // 16 colours, 5830 or 8686 bytes
    EpaLogo,      // EPA version 1, 1602 or 2367 bytes
};

// Without a threshold a pixel is white from this grey value on: the grey of
// lightness 50, half way between black and white as the eye sees it.
inline constexpr int DefaultThreshold = 119;

// Pictures of at most this many colours are drawings: they are not dithered
// unless asked, so that flat areas stay flat.
inline constexpr int MostColoursOfADrawing = 256;

struct ImportSettings {
    ImportTarget target = ImportTarget::EpaLogo;
    std::optional<bool> tall; // nothing: TallFor the picture's shape
    Scaling scaling = Scaling::Fit;
    std::optional<Dither> dither;     // nothing: DefaultDither
    int threshold = DefaultThreshold; // MonoBitmap without dithering only
    bool invert = false;
};

// Diffusion for photographs, none for drawings (MostColoursOfADrawing).
Dither DefaultDither(const RgbImage& picture);

// The bytes of the file that settings ask for, made from a picture of any size.
std::vector<std::uint8_t> ImportPicture(const RgbImage& picture, const ImportSettings& settings);

} // namespace kalvero
