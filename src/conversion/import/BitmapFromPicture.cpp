#include "conversion/import/BitmapFromPicture.h"

#include "conversion/BmpFormat.h"
#include "conversion/BmpWriter.h"
#include "conversion/import/BitmapPalette.h"
#include "document/LogoGeometry.h"

#include <algorithm>

namespace kalvero {

std::vector<std::uint8_t> MonoBitmapFromPicture(const SwatchImage& picture, Dither dither,
                                                int threshold) {
    std::vector<std::uint8_t> white;
    if (dither == Dither::None) {
        std::transform(picture.pixels.begin(), picture.pixels.end(), std::back_inserter(white),
                       [threshold](const Swatch& pixel) {
                           return static_cast<std::uint8_t>(GreyValue(pixel.linear) >= threshold);
                       });
    } else {
        const std::array<Swatch, 2> blackAndWhite{SwatchFromRgb({0, 0, 0}),
                                                  SwatchFromRgb({255, 255, 255})};
        white = DitherPicture(picture, dither,
                              [&](int, int) -> std::span<const Swatch> { return blackAndWhite; });
    }
    std::vector<std::uint8_t> rows(static_cast<std::size_t>(picture.height * CellColumns), 0);
    for (std::size_t i = 0; i < white.size(); ++i) {
        if (white[i] != 0) {
            rows[i / 8] |= static_cast<std::uint8_t>(0x80 >> (i % 8));
        }
    }
    return MonoBmpFile(rows, picture.height);
}

std::vector<std::uint8_t> ColourBitmapFromPicture(const SwatchImage& picture, Dither dither) {
    const std::array<Rgb, PaletteSize> palette = ChooseBitmapPalette(picture);
    std::array<Swatch, PaletteSize> swatches{};
    std::transform(palette.begin(), palette.end(), swatches.begin(), SwatchFromRgb);
    std::array<std::uint8_t, BmpPaletteLength> entries{};
    for (std::size_t i = 0; i < palette.size(); ++i) {
        entries[4 * i] = palette[i].b;
        entries[4 * i + 1] = palette[i].g;
        entries[4 * i + 2] = palette[i].r;
    }
    const std::vector<std::uint8_t> indices = DitherPicture(
        picture, dither, [&](int, int) -> std::span<const Swatch> { return swatches; });
    return ColourBmpFile(indices, picture.width, picture.height, entries);
}

} // namespace kalvero
