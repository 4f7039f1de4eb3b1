#include "conversion/import/BitmapFromPicture.h"

#include "conversion/BmpFormat.h"
#include "conversion/BmpWriter.h"
#include "conversion/Epa2Image.h"
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

std::vector<std::uint8_t> ColourBitmapFromPicture(const SwatchImage& picture, Dither dither,
                                                  bool allColours) {
    const std::array<Rgb, PaletteSize> palette = ChooseBitmapPalette(picture, allColours);
    std::array<std::uint8_t, BmpPaletteLength> entries{};
    for (std::size_t i = 0; i < palette.size(); ++i) {
        entries[4 * i] = palette[i].b;
        entries[4 * i + 1] = palette[i].g;
        entries[4 * i + 2] = palette[i].r;
    }
    return ColourBmpFile(PaletteIndices(picture, dither, palette, allColours), picture.width,
                         picture.height, entries);
}

std::vector<std::uint8_t> FullScreenLogoFromPicture(const SwatchImage& picture, Dither dither,
                                                    bool allColours, bool ownPalette) {
    std::array<Rgb, PaletteSize> palette{};
    if (ownPalette) {
        palette = ChooseFullScreenPalette(picture, allColours);
    } else {
        Epa2Picture standard;
        standard.palette6.assign(StandardVgaPalette6.begin(), StandardVgaPalette6.end());
        for (std::size_t entry = 0; entry < palette.size(); ++entry) {
            palette[entry] = Epa2Colour(standard, static_cast<int>(entry));
        }
    }
    Epa2Picture image{picture.width, picture.height, 4,
                      PaletteIndices(picture, dither, palette, allColours), {}, ownPalette};
    for (const Rgb& colour : palette) {
        image.palette6.insert(image.palette6.end(), {static_cast<std::uint8_t>(colour.b >> 2),
                                                     static_cast<std::uint8_t>(colour.g >> 2),
                                                     static_cast<std::uint8_t>(colour.r >> 2)});
    }
    return WriteEpa2(image);
}

} // namespace kalvero
