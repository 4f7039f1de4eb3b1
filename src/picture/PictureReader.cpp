#include "picture/PictureReader.h"

#include "conversion/import/PictureFit.h"
#include "picture/BulkyMetadata.h"
#include "picture/DecoderMessages.h"
#include "picture/GzipInflate.h"
#include "picture/JpegCoefficients.h"
#include "picture/PictureCompleteness.h"
#include "picture/PictureLimits.h"
#include "picture/PictureSizing.h"
#include "picture/RgbConversion.h"
#include "picture/SvgCheck.h"

#include <QBuffer>
#include <QImageReader>
#include <algorithm>
#include <unistd.h>

namespace kalvero {
namespace {

constexpr std::uint64_t Mebibyte = 1024 * 1024;
constexpr std::uint64_t MaxDecodedBytes = std::uint64_t{MaxDecodedMebibytes} * Mebibyte;
// libjpeg's reduced decoding: 1/2, 1/4 or 1/8 of the size each way.
constexpr int MostJpegReduction = 8;

struct Plan {
    std::uint64_t bytes = 0; // what decoding takes
    QSize scaledSize;        // to ask the decoder for; invalid: the picture's own size
};

// JPEG and SVG decode at the size asked for; any other picture is decoded
// whole and reduced afterwards.
Plan PlanDecoding(QImageReader& reader, std::span<const std::uint8_t> file, QSize size,
                  QImageIOHandler::Transformations orientation) {
    const QByteArray format = reader.format();
    if (format != "jpeg" && format != "svg") {
        return {DecodedBytes(size, reader.imageFormat()), {}};
    }
    const QSize wanted = Upright(DetailedSize(Upright(size, orientation)), orientation);
    if (format == "svg") {
        return {DecodedBytes(wanted, QImage::Format_ARGB32_Premultiplied), wanted};
    }
    const std::uint64_t coefficients = JpegCoefficientBytes(file);
    if (wanted == size) {
        return {DecodedBytes(size, QImage::Format_RGB32) + coefficients, {}};
    }
    // Qt's JPEG reader has libjpeg decode at the largest reduction that keeps
    // the size asked for, then scales to it.
    const int ratio = std::min(size.width() / wanted.width(), size.height() / wanted.height());
    int reduction = 1;
    while (reduction < MostJpegReduction && ratio >= 2 * reduction) {
        reduction *= 2;
    }
    const QSize decoded((size.width() + reduction - 1) / reduction,
                        (size.height() + reduction - 1) / reduction);
    return {DecodedBytes(decoded, QImage::Format_RGB32) +
                DecodedBytes(wanted, QImage::Format_RGB32) + coefficients,
            wanted};
}

// What Qt says is in its own words: the German text quotes it.
FileError NotAPicture(const std::string& qtReason) {
    return {FileProblem::NotAccepted,
            Reason::of<"not a picture that can be read ({})",
                       "kein Bild, das sich lesen lässt (Meldung von Qt: {})">(qtReason)};
}

std::string Mebibytes(std::uint64_t bytes) {
    return std::to_string((bytes + Mebibyte / 2) / Mebibyte) + " MiB";
}

FileError DamagedPicture(const Reason& reason) {
    return {FileProblem::NotAccepted,
            Reason::of<"damaged picture ({})", "beschädigtes Bild ({})">(reason)};
}

struct Decoded {
    QImage image;
    QSize shape; // the picture's own size, before it is turned
    QImageIOHandler::Transformations orientation;
};

FileResult<Decoded> Decode(QImageReader& reader, std::span<const std::uint8_t> file, bool packed) {
    const QByteArray format = reader.format();
    if (format.isEmpty()) {
        return NotAPicture(reader.errorString().toStdString());
    }
    if (packed && format != "svg") {
        return FileError{FileProblem::NotAccepted,
                         Reason::of<"not a picture that can be read (compressed, but not an SVG "
                                    "drawing)",
                                    "kein Bild, das sich lesen lässt (gepackt, aber keine "
                                    "SVG-Zeichnung)">()};
    }
    std::uint64_t embeddedBytes = 0;
    if (format == "svg" && file.size() > MaxSvgLength) {
        return FileError{FileProblem::TooLarge,
                         Reason::of<"too large: an SVG drawing of more than {} is not read",
                                    "zu groß: eine SVG-Zeichnung von mehr als {} wird nicht "
                                    "gelesen">(Mebibytes(MaxSvgLength))};
    }
    if (format == "svg") {
        const FileResult<std::uint64_t> checked =
            CheckSvg(QByteArray::fromRawData(reinterpret_cast<const char*>(file.data()),
                                             static_cast<qsizetype>(file.size())),
                     MaxDecodedBytes);
        if (!checked) {
            return checked.error();
        }
        embeddedBytes = checked.value();
    }
    const QSize size = reader.size();
    const QImageIOHandler::Transformations orientation = reader.transformation();
    // Without a size from the header, Qt's allocation limit is the guard.
    Plan plan = size.isEmpty() ? Plan{} : PlanDecoding(reader, file, size, orientation);
    plan.bytes += embeddedBytes;
    if (plan.bytes > MaxDecodedBytes) {
        return FileError{FileProblem::TooLarge,
                         Reason::of<"too large: {} x {} pixels would take {} decoded (at most {} "
                                    "MiB)",
                                    "zu groß: {} x {} Pixel bräuchten entpackt {} (höchstens {} "
                                    "MiB)">(size.width(), size.height(), Mebibytes(plan.bytes),
                                            MaxDecodedMebibytes)};
    }
    if (const std::optional<Reason> missing = MissingPart(format, file)) {
        return DamagedPicture(*missing);
    }
    if (plan.scaledSize.isValid()) {
        reader.setScaledSize(plan.scaledSize);
    }
    QImage image = reader.read();
    // A GIF's header may give the size of its first frame, not of the picture.
    const QSize shape = plan.scaledSize.isValid() ? size : image.size();
    return Decoded{std::move(image), shape, orientation};
}

} // namespace

FileResult<DecodedPicture> ReadPicture(std::span<const std::uint8_t> file) {
    if (file.size() > MaxPictureLength) {
        return FileError{FileProblem::TooLarge,
                         Reason::of<"too large: {} bytes (pictures of at most {} are read)",
                                    "zu groß: {} Bytes (Bilder von höchstens {} werden gelesen)">(
                             file.size(), Mebibytes(MaxPictureLength))};
    }
    // The bytes read instead of the file's: unpacked, or without bulky text.
    std::vector<std::uint8_t> replaced;
    const bool packed = IsGzip(file);
    if (packed) {
        FileResult<std::vector<std::uint8_t>> inflated = InflateGzip(file, MaxSvgLength);
        if (!inflated) {
            return inflated.error();
        }
        replaced = std::move(inflated).value();
        file = replaced;
    } else if (std::optional<std::vector<std::uint8_t>> lighter = WithoutBulkyMetadata(file)) {
        replaced = std::move(*lighter);
        file = replaced;
    }
    QImageReader::setAllocationLimit(MaxDecodedMebibytes);
    QByteArray bytes = QByteArray::fromRawData(reinterpret_cast<const char*>(file.data()),
                                               static_cast<qsizetype>(file.size()));
    QBuffer buffer(&bytes);
    buffer.open(QIODevice::ReadOnly);
    QImageReader reader(&buffer);
    // Turned after it is reduced, which costs less.
    reader.setAutoTransform(false);

    DecoderMessages messages;
    const FileResult<Decoded> decoded = Decode(reader, file, packed);
    messages.finish();
    const std::string& printed = messages.printed();
    // What a library printed is the reason when the picture could not be read
    // and Qt said nothing (its last line: libtiff warns before its error);
    // otherwise it is passed on as it was.
    const bool printedIsReason =
        decoded && decoded.value().image.isNull() && !messages.complaint() && !printed.empty();
    if (!printedIsReason && !printed.empty()) {
        const std::string text = printed + "\n";
        [[maybe_unused]] const ssize_t written = write(STDERR_FILENO, text.data(), text.size());
    }
    if (!decoded) {
        return decoded.error();
    }
    if (messages.complaint() || printedIsReason) {
        const std::string reason =
            messages.complaint() ? *messages.complaint() : printed.substr(printed.rfind('\n') + 1);
        return DamagedPicture(Reason::of<"{}", "Meldung der Bildbibliothek: {}">(reason));
    }
    const Decoded& picture = decoded.value();
    if (picture.image.isNull()) {
        return NotAPicture(reader.errorString().toStdString());
    }
    const QSize shape = Upright(picture.shape, picture.orientation);
    return DecodedPicture{
        RgbFromImage(picture.image,
                     ReductionFactor(Upright(picture.image.size(), picture.orientation)),
                     picture.orientation),
        TallFor(shape.width(), shape.height())};
}

} // namespace kalvero
