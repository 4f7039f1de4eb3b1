#include "cli/ImportCommand.h"

#include "conversion/InputFile.h"
#include "document/FileIo.h"
#include "document/LogoGeometry.h"

#include <QBuffer>
#include <QColorSpace>
#include <QFileInfo>
#include <QImage>
#include <QImageReader>
#include <algorithm>
#include <cstdio>
#include <fcntl.h>

#ifdef _WIN32
#include <io.h>
#else
#include <unistd.h>
#endif

namespace kalvero::cli {
namespace {

const QCommandLineOption MonoOption("mono", "Make a 2-colour bitmap (1742 or 2582 bytes)");
const QCommandLineOption Colors16Option("colors16", "Make a 16-colour bitmap (5830 or 8686 bytes)");
const QCommandLineOption EpaOption("epa", "Make an EPA version 1 logo whatever OUT is named");
const QCommandLineOption ShortOption("short", "Make it 136 x 84 (17 x 6 cells)");
const QCommandLineOption TallOption("tall", "Make it 136 x 126 (17 x 9 cells)");
const QCommandLineOption FitOption("fit", "Show the whole picture in its shape, black bars\n"
                                          "where it does not reach (default)");
const QCommandLineOption FillOption("fill", "Cover the whole logo in the picture's shape,\n"
                                            "cutting off what stands out");
const QCommandLineOption StretchOption("stretch", "Stretch the picture over the whole logo");
const QCommandLineOption DitherOption("dither",
                                      "none, ordered or diffusion (default: diffusion for\n"
                                      "pictures of more than 256 colours, else none)",
                                      "MODE");
const QCommandLineOption ThresholdOption("threshold",
                                         "With --mono and no dithering: pixels of grey value\n"
                                         "N (0 to 255) or more become white (default 119)",
                                         "N");
const QCommandLineOption InvertOption("invert", "Use the picture's negative (for dark drawings\n"
                                                "on white; logos show on black)");

constexpr int MaxThreshold = 255;
// Pictures are decoded at no more than this many times the tall logo's size
// each way: more detail only costs time and memory (a 48-megapixel photo
// would not fit Qt's default limit), and the area average is as good.
constexpr int EnoughDetail = 8;
// Formats that cannot be decoded smaller (PNG, BMP) are decoded whole first.
constexpr int DecodingLimitMegabytes = 1024;

int CountSet(const QCommandLineParser& parser, const QList<QCommandLineOption>& options) {
    return static_cast<int>(
        std::count_if(options.begin(), options.end(),
                      [&](const QCommandLineOption& o) { return parser.isSet(o); }));
}

// Image plugins, and the libraries under them, report on standard error
// ("libpng error: Read Error" comes from libpng itself); the reader's own
// error says it better, in the one line that names the file.
class SilencedStandardError {
public:
    SilencedStandardError() {
        std::fflush(stderr);
#ifdef _WIN32
        saved_ = _dup(2);
        const int nothing = _open("NUL", _O_WRONLY);
        if (nothing >= 0) {
            _dup2(nothing, 2);
            _close(nothing);
        }
#else
        saved_ = dup(2);
        const int nothing = open("/dev/null", O_WRONLY);
        if (nothing >= 0) {
            dup2(nothing, 2);
            close(nothing);
        }
#endif
    }
    ~SilencedStandardError() {
        std::fflush(stderr);
        if (saved_ >= 0) {
#ifdef _WIN32
            _dup2(saved_, 2);
            _close(saved_);
#else
            dup2(saved_, 2);
            close(saved_);
#endif
        }
    }
    SilencedStandardError(const SilencedStandardError&) = delete;
    SilencedStandardError& operator=(const SilencedStandardError&) = delete;

private:
    int saved_ = -1;
};

struct Picture {
    RgbImage pixels;
    bool tall; // for the picture's own shape, not the smaller size it was decoded in
};

// Red, green and blue bytes in sRGB; transparent parts become black.
RgbImage RgbPixels(QImage image) {
    image.convertTo(QImage::Format_RGBA8888);
    if (image.colorSpace().isValid() && image.colorSpace() != QColorSpace(QColorSpace::SRgb)) {
        image.convertToColorSpace(QColorSpace::SRgb);
    }
    // Premultiplied colour is the colour laid over black.
    image.convertTo(QImage::Format_RGBA8888_Premultiplied);
    RgbImage pixels{image.width(), image.height(), {}};
    pixels.pixels.reserve(static_cast<std::size_t>(image.width()) *
                          static_cast<std::size_t>(image.height()));
    for (int y = 0; y < image.height(); ++y) {
        const uchar* line = image.constScanLine(y);
        for (int x = 0; x < image.width(); ++x) {
            pixels.pixels.push_back({line[4 * x], line[4 * x + 1], line[4 * x + 2]});
        }
    }
    return pixels;
}

FileResult<Picture> DecodePicture(QImageReader& reader) {
    reader.setAutoTransform(true);
    reader.setAllocationLimit(DecodingLimitMegabytes);
    QSize shape = reader.size();
    if (shape.isValid()) {
        const double shrink =
            std::max(static_cast<double>(LogoWidth * EnoughDetail) / shape.width(),
                     static_cast<double>(TallLogoHeight * EnoughDetail) / shape.height());
        if (shrink < 1) {
            reader.setScaledSize(QSize(std::max(1, qRound(shape.width() * shrink)),
                                       std::max(1, qRound(shape.height() * shrink))));
        }
        if (reader.transformation().testFlag(QImageIOHandler::TransformationRotate90)) {
            shape.transpose();
        }
    }
    QImage image;
    {
        const SilencedStandardError silence;
        image = reader.read();
    }
    if (image.isNull()) {
        return FileError{FileProblem::NotAccepted, "not a picture that can be read (" +
                                                       reader.errorString().toStdString() + ")"};
    }
    if (!shape.isValid()) {
        shape = image.size();
    }
    return Picture{RgbPixels(std::move(image)), TallFor(shape.width(), shape.height())};
}

FileResult<Picture> ReadPicture(const std::filesystem::path& path) {
    const FileResult<std::uint64_t> length = FileLength(path);
    if (!length) {
        return length.error();
    }
    if (length.value() > MaxInputLength) {
        return FileError{FileProblem::TooLarge, "too large: " + std::to_string(length.value()) +
                                                    " bytes (at most " +
                                                    std::to_string(MaxInputLength) + " are read)"};
    }
    const FileResult<std::vector<std::uint8_t>> bytes =
        ReadFileExactly(path, static_cast<std::size_t>(length.value()));
    if (!bytes) {
        return bytes.error();
    }
    QByteArray data = QByteArray::fromRawData(reinterpret_cast<const char*>(bytes.value().data()),
                                              static_cast<qsizetype>(bytes.value().size()));
    QBuffer buffer(&data);
    buffer.open(QIODevice::ReadOnly);
    QImageReader reader(&buffer);
    return DecodePicture(reader);
}

} // namespace

ImportCommand::ImportCommand()
    : ConversionCommand(
          {"import", "Make an EPA logo or an accepted bitmap of any picture",
           Synopses("[OPTION]...", "IN", "OUT"),
           "Makes a file for the BIOS logo tools of any picture Qt reads (PNG, JPEG,\n"
           "GIF, BMP of any header or depth, ...), 136 pixels wide and 84 or 126 high:\n"
           "  OUT.epa or --epa  a coloured EPA version 1 logo (1602 or 2367 bytes): each\n"
           "                    8 x 14 cell gets the one palette colour that, on black,\n"
           "                    shows its pixels best\n"
           "  --mono            a 2-colour bitmap (1742 or 2582 bytes), as bmp2epa and\n"
           "                    the editor's Load BMP take it\n"
           "  --colors16        a 16-colour bitmap (5830 or 8686 bytes) whose palette\n"
           "                    suits the EPA 2.0 image bmp2epa makes of it\n"
           "Pictures at least 1.4 times as wide as high become short logos (136 x 84),\n"
           "others tall ones (136 x 126). Transparent parts become black. With\n"
           "--output-dir the outputs are named .bmp with --mono or --colors16, else .epa."},
          ".epa",
          {MonoOption, Colors16Option, EpaOption, ShortOption, TallOption, FitOption, FillOption,
           StretchOption, DitherOption, ThresholdOption, InvertOption}) {}

std::optional<QString> ImportCommand::takeOptions(const QCommandLineParser& parser) {
    settings_ = ImportSettings{};
    if (parser.isSet(ShortOption) && parser.isSet(TallOption)) {
        return QString("choose --short or --tall, not both");
    }
    if (parser.isSet(ShortOption) || parser.isSet(TallOption)) {
        settings_.tall = parser.isSet(TallOption);
    }
    if (CountSet(parser, {FitOption, FillOption, StretchOption}) > 1) {
        return QString("choose one of --fit, --fill and --stretch");
    }
    settings_.scaling = parser.isSet(FillOption)      ? Scaling::Fill
                        : parser.isSet(StretchOption) ? Scaling::Stretch
                                                      : Scaling::Fit;
    settings_.invert = parser.isSet(InvertOption);
    if (const std::optional<QString> problem = takeTarget(parser)) {
        return problem;
    }
    return takeDither(parser);
}

std::optional<QString> ImportCommand::takeTarget(const QCommandLineParser& parser) {
    if (CountSet(parser, {MonoOption, Colors16Option, EpaOption}) > 1) {
        return QString("choose one of --mono, --colors16 and --epa");
    }
    const QStringList files = parser.positionalArguments();
    const QString suffix = !parser.isSet("output-dir") && files.size() == 2
                               ? QFileInfo(files[1]).suffix().toLower()
                               : QString();
    const bool bitmap = parser.isSet(MonoOption) || parser.isSet(Colors16Option);
    if (bitmap && suffix == "epa") {
        return QString("%1 makes a bitmap: name the output .bmp, or leave %1 out for an EPA logo")
            .arg(parser.isSet(MonoOption) ? "--mono" : "--colors16");
    }
    if (parser.isSet(EpaOption) && suffix == "bmp") {
        return QString("--epa makes an EPA logo: name the output .epa");
    }
    if (!bitmap && !parser.isSet(EpaOption) && suffix == "bmp") {
        return QString("say which bitmap to make: --mono or --colors16");
    }
    if (!bitmap && !parser.isSet(EpaOption) && !suffix.isEmpty() && suffix != "epa") {
        return QString("say what to make of the picture: --mono, --colors16 or --epa");
    }
    settings_.target = parser.isSet(MonoOption)       ? ImportTarget::MonoBitmap
                       : parser.isSet(Colors16Option) ? ImportTarget::ColourBitmap
                                                      : ImportTarget::EpaLogo;
    setOutputExtension(bitmap ? ".bmp" : ".epa");
    return std::nullopt;
}

std::optional<QString> ImportCommand::takeDither(const QCommandLineParser& parser) {
    if (parser.isSet(DitherOption)) {
        const QString mode = parser.value(DitherOption);
        if (mode == "none") {
            settings_.dither = Dither::None;
        } else if (mode == "ordered") {
            settings_.dither = Dither::Ordered;
        } else if (mode == "diffusion") {
            settings_.dither = Dither::Diffusion;
        } else {
            return QString("--dither takes none, ordered or diffusion, not '%1'").arg(mode);
        }
    }
    if (!parser.isSet(ThresholdOption)) {
        return std::nullopt;
    }
    if (settings_.target != ImportTarget::MonoBitmap) {
        return QString("--threshold is for --mono only");
    }
    if (settings_.dither.value_or(Dither::None) != Dither::None) {
        return QString("--threshold is for pictures without dithering: leave out --dither %1")
            .arg(parser.value(DitherOption));
    }
    bool number = false;
    settings_.threshold = parser.value(ThresholdOption).toInt(&number);
    if (!number || settings_.threshold < 0 || settings_.threshold > MaxThreshold) {
        return QString("--threshold needs a whole number from 0 to %1, not '%2'")
            .arg(MaxThreshold)
            .arg(parser.value(ThresholdOption));
    }
    settings_.dither = Dither::None;
    return std::nullopt;
}

FileResult<std::vector<std::uint8_t>> ImportCommand::convert(const std::filesystem::path& input) {
    const FileResult<Picture> picture = ReadPicture(input);
    if (!picture) {
        return picture.error();
    }
    ImportSettings settings = settings_;
    settings.tall = settings_.tall.value_or(picture.value().tall);
    return ImportPicture(picture.value().pixels, settings);
}

} // namespace kalvero::cli
