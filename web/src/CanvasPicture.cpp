#include "CanvasPicture.h"

#include "conversion/PreviewImage.h"
#include "document/LogoRaster.h"
#include "document/Palette.h"
#include "editor/CanvasInput.h"

namespace kalvero::web {
namespace {

// The background the grid lines are left in: the window's button colour.
constexpr Rgb Background{240, 240, 240};

void Put(std::vector<std::uint8_t>& rgba, std::size_t pixel, const Rgb& colour) {
    rgba[4 * pixel] = colour.r;
    rgba[4 * pixel + 1] = colour.g;
    rgba[4 * pixel + 2] = colour.b;
    rgba[4 * pixel + 3] = 255;
}

CanvasPicture FromRgb(const RgbImage& image, CanvasPicture picture) {
    picture.width = image.width;
    picture.height = image.height;
    picture.rgba.assign(4 * image.pixels.size(), 0);
    for (std::size_t i = 0; i < image.pixels.size(); ++i) {
        Put(picture.rgba, i, image.pixels[i]);
    }
    return picture;
}

} // namespace

CanvasPicture PictureOfCanvas(const LogoDocument& document, const CanvasInput& input) {
    CanvasPicture picture;
    const bool fullScreen = document.showsFullScreen();
    picture.canvasWidth = input.size().width;
    picture.canvasHeight = input.size().height;
    if (fullScreen || document.showsImageEpa2()) {
        const FileResult<RgbImage> image =
            RenderPreview(fullScreen ? document.ImageFullScreen() : document.ImageEpa2(), {});
        picture.fit = fullScreen;
        return image ? FromRgb(image.value(), std::move(picture)) : picture;
    }
    picture.width = picture.canvasWidth;
    picture.height = picture.canvasHeight;
    picture.rgba.resize(4 * static_cast<std::size_t>(picture.width * picture.height));
    for (std::size_t i = 0; i < picture.rgba.size() / 4; ++i) {
        Put(picture.rgba, i, Background);
    }
    ForEachLogoPixel(document, CanvasGeometry{input.gridOffset()}, [&](int x, int y, int colour) {
        if (x < picture.width && y < picture.height) {
            Put(picture.rgba, static_cast<std::size_t>(y * picture.width + x),
                Palette[static_cast<std::size_t>(colour)]);
        }
    });
    return picture;
}

} // namespace kalvero::web
