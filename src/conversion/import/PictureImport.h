#pragma once

#include "conversion/RgbImage.h"
#include "conversion/import/Dithering.h"
#include "conversion/import/PictureFit.h"

#include <array>
#include <cstdint>
#include <optional>
#include <vector>

namespace kalvero {

enum class ImportTarget {
    MonoBitmap,   // 2 colours, 1742 or 2582 bytes
    ColourBitmap, // 16 colours, 5830 or 8686 bytes
    EpaLogo,      // EPA version 1, 1602 or 2367 bytes
    FullScreen,   // EPA 2.0 of 16 colours, 640 x FullScreenHeights
};

// The full-screen logo: 640 pixels wide, and of the heights seen in BIOS
// images, the first the usual one.
inline constexpr int FullScreenWidth = 640;
inline constexpr std::array<int, 3> FullScreenHeights{480, 464, 479};

// Without a threshold a pixel is white from this grey value on: the grey of
// lightness 50, half way between black and white as the eye sees it.
inline constexpr int DefaultThreshold = 119;

// Pictures of at most this many colours are drawings: they are not dithered
// unless asked, so that flat areas stay flat.
inline constexpr int MostColoursOfADrawing = 256;

struct ImportSettings {
    ImportTarget target = ImportTarget::EpaLogo;
    std::optional<bool> tall; // 136 wide; nothing: TallFor the picture's shape
    int fullScreenHeight = FullScreenHeights[0];
    Scaling scaling = Scaling::Fit;
    std::optional<Dither> dither;     // nothing: DefaultDither
    int threshold = DefaultThreshold; // MonoBitmap without dithering only
    bool invert = false;
    bool allColours = false; // ColourBitmap and FullScreen: palette entry 6 too
    bool ownPalette = true;  // FullScreen: false for no palette block, the standard VGA colours
};

// Diffusion for photographs, none for drawings (MostColoursOfADrawing).
Dither DefaultDither(const RgbImage& picture);

// The bytes of the file that settings ask for, made from a picture of any size:
// ImportFitted of FitForImport.
std::vector<std::uint8_t> ImportPicture(const RgbImage& picture, const ImportSettings& settings);

// The picture resampled to the size of the file settings ask for.
SwatchImage FitForImport(const RgbImage& picture, const ImportSettings& settings);

// The bytes of the file settings ask for, of a picture FitForImport made,
// dithered as given (settings.dither is not looked at).
std::vector<std::uint8_t> ImportFitted(const SwatchImage& fitted, Dither dither,
                                       const ImportSettings& settings);

} // namespace kalvero
