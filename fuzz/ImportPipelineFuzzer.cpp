// The import after decoding: pictures as Qt's readers hand them over, of any
// small size, in every pixel format, with transparency, colour spaces and
// orientations, turned into the import's RGB pixels (as the picture module
// does) and then into the kind of file the input picks.

#include "FuzzCheck.h"
#include "conversion/import/PictureImport.h"
#include "picture/RgbConversion.h"

#include <QColorSpace>
#include <QImage>
#include <algorithm>
#include <cstdint>
#include <span>

namespace kalvero::fuzz {
namespace {

constexpr int MostSide = 48;
constexpr int MostReduction = 5;

// The input's bytes one after the other, then 0s.
class Bytes {
public:
    explicit Bytes(std::span<const std::uint8_t> data) : data_(data) {}
    std::uint8_t next() { return at_ < data_.size() ? data_[at_++] : 0; }
    std::span<const std::uint8_t> rest() const { return data_.subspan(at_); }

private:
    std::span<const std::uint8_t> data_;
    std::size_t at_ = 0;
};

QColorSpace ColourSpace(Bytes& bytes) {
    switch (bytes.next() % 7) {
    case 0:
        return {}; // none: taken as sRGB
    case 1:
        return QColorSpace(QColorSpace::SRgb);
    case 2:
        return QColorSpace(QColorSpace::SRgbLinear);
    case 3:
        return QColorSpace(QColorSpace::AdobeRgb);
    case 4:
        return QColorSpace(QColorSpace::DisplayP3);
    case 5:
        return QColorSpace(QColorSpace::ProPhotoRgb);
    default: {
        // Primaries and gamma of its own, valid or not.
        const auto coordinate = [&] {
            return 0.01F + static_cast<float>(bytes.next()) / 300.0F;
        };
        const QPointF white(coordinate(), coordinate());
        const QPointF red(coordinate(), coordinate());
        const QPointF green(coordinate(), coordinate());
        const QPointF blue(coordinate(), coordinate());
        return QColorSpace(white, red, green, blue, QColorSpace::TransferFunction::Gamma,
                           0.5F + static_cast<float>(bytes.next()) / 64.0F);
    }
    }
}

QImage Picture(Bytes& bytes) {
    const int width = 1 + bytes.next() % MostSide;
    const int height = 1 + bytes.next() % MostSide;
    const auto format = static_cast<QImage::Format>(1 + bytes.next() % (QImage::NImageFormats - 1));
    QImage image(width, height, format);
    if (image.isNull()) {
        return image;
    }
    // Every index has a colour, as in what Qt's readers make.
    if (image.depth() <= 8 && format != QImage::Format_Alpha8 &&
        format != QImage::Format_Grayscale8) {
        QList<QRgb> colours(1 << image.depth());
        for (QRgb& colour : colours) {
            colour = qRgba(bytes.next(), bytes.next(), bytes.next(), bytes.next());
        }
        image.setColorTable(colours);
    }
    image.setColorSpace(ColourSpace(bytes));
    const std::span<const std::uint8_t> pixels = bytes.rest();
    for (int y = 0; y < height; ++y) {
        uchar* line = image.scanLine(y);
        for (qsizetype x = 0; x < image.bytesPerLine(); ++x) {
            line[x] = pixels.empty()
                          ? 0
                          : pixels[static_cast<std::size_t>(y * image.bytesPerLine() + x) %
                                   pixels.size()];
        }
    }
    return image;
}

} // namespace
} // namespace kalvero::fuzz

extern "C" int LLVMFuzzerTestOneInput(const std::uint8_t* data, std::size_t size) {
    using namespace kalvero;
    fuzz::Bytes bytes(std::span(data, size));
    const int reduction = 1 + bytes.next() % fuzz::MostReduction;
    const auto orientation = QImageIOHandler::Transformations(bytes.next() & 7);
    const std::uint8_t choices = bytes.next();
    const QImage image = fuzz::Picture(bytes);
    if (image.isNull()) {
        return 0;
    }
    const RgbImage picture = RgbFromImage(image, reduction, orientation);
    const bool turned = orientation.testFlag(QImageIOHandler::TransformationRotate90);
    const int width = (image.width() + reduction - 1) / reduction;
    const int height = (image.height() + reduction - 1) / reduction;
    fuzz::Require(picture.width == (turned ? height : width) &&
                      picture.height == (turned ? width : height),
                  "reduced by the factor, then turned");
    fuzz::Require(picture.pixels.size() == static_cast<std::size_t>(width * height),
                  "one colour for every pixel");

    ImportSettings settings;
    settings.scaling = static_cast<Scaling>(choices % 3);
    if ((choices & 4) != 0) {
        settings.dither = static_cast<Dither>((choices >> 3) % 3);
    }
    settings.invert = (choices & 32) != 0;
    // One target an input: the 16-colour palette search is slow under the
    // sanitizers, and the seeds reach every target.
    settings.target = static_cast<ImportTarget>((choices >> 6) % 3);
    const bool tall = TallFor(picture.width, picture.height);
    const std::size_t length = ImportPicture(picture, settings).size();
    const std::size_t expected = settings.target == ImportTarget::MonoBitmap ? (tall ? 2582 : 1742)
                                 : settings.target == ImportTarget::ColourBitmap
                                     ? (tall ? 8686 : 5830)
                                     : (tall ? 2367 : 1602);
    fuzz::Require(length == expected, "each target has its length for the picture's shape");
    return 0;
}
