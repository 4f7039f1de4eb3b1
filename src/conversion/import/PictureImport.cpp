#include "conversion/import/PictureImport.h"

#include "conversion/import/BitmapFromPicture.h"
#include "conversion/import/LogoFromPicture.h"
#include "document/LogoGeometry.h"

namespace kalvero {

Dither DefaultDither(const RgbImage& picture) {
    // One bit for each of the 2^24 colours.
    std::vector<std::uint64_t> seen(std::size_t{1} << 18, 0);
    int colours = 0;
    for (const Rgb& pixel : picture.pixels) {
        const std::uint32_t colour =
            static_cast<std::uint32_t>(pixel.r << 16 | pixel.g << 8 | pixel.b);
        std::uint64_t& word = seen[colour >> 6];
        const std::uint64_t bit = std::uint64_t{1} << (colour & 63);
        if ((word & bit) == 0) {
            word |= bit;
            if (++colours > MostColoursOfADrawing) {
                return Dither::Diffusion;
            }
        }
    }
    return Dither::None;
}

SwatchImage FitForImport(const RgbImage& picture, const ImportSettings& settings) {
    const bool fullScreen = settings.target == ImportTarget::FullScreen;
    const bool tall = settings.tall.value_or(TallFor(picture.width, picture.height));
    return FitPicture(picture, fullScreen ? FullScreenWidth : LogoWidth,
                      fullScreen ? settings.fullScreenHeight
                      : tall     ? TallLogoHeight
                                 : ShortLogoHeight,
                      settings.scaling, settings.invert);
}

std::vector<std::uint8_t> ImportFitted(const SwatchImage& fitted, Dither dither,
                                       const ImportSettings& settings) {
    switch (settings.target) {
    case ImportTarget::MonoBitmap:
        return MonoBitmapFromPicture(fitted, dither, settings.threshold);
    case ImportTarget::ColourBitmap:
        return ColourBitmapFromPicture(fitted, dither, settings.allColours);
    case ImportTarget::FullScreen:
        return FullScreenLogoFromPicture(fitted, dither, settings.allColours, settings.ownPalette);
    case ImportTarget::EpaLogo:
        break;
    }
    return EpaLogoFromPicture(fitted, dither);
}

std::vector<std::uint8_t> ImportPicture(const RgbImage& picture, const ImportSettings& settings) {
    return ImportFitted(FitForImport(picture, settings),
                        settings.dither.value_or(DefaultDither(picture)), settings);
}

} // namespace kalvero
