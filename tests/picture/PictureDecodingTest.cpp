// The picture module through its loader, as kalvero-cli import uses it.

#include "picture/PictureDecoding.h"

#include "support/TempDir.h"

#include <QBuffer>
#include <QColorSpace>
#include <QImage>
#include <QImageWriter>
#include <QTransform>
#include <cstdlib>
#include <gtest/gtest.h>
#include <sys/resource.h>

namespace kalvero::test {
namespace {

using Bytes = std::vector<std::uint8_t>;

inline Bytes ToBytes(const QByteArray& data) {
    return Bytes(data.begin(), data.end());
}

// The file Qt writes of image in format ("png", "jpeg", "tiff", ...).
inline Bytes Encoded(const QImage& image, const char* format, int quality = 100) {
    QByteArray data;
    QBuffer buffer(&data);
    buffer.open(QIODevice::WriteOnly);
    QImageWriter writer(&buffer, format);
    writer.setQuality(quality);
    if (!writer.write(image)) {
        return {};
    }
    return ToBytes(data);
}

// A picture in two halves side by side.
inline QImage Halves(int width, int height, QRgb left, QRgb right) {
    QImage image(width, height, QImage::Format_ARGB32);
    for (int y = 0; y < height; ++y) {
        for (int x = 0; x < width; ++x) {
            image.setPixel(x, y, x < width / 2 ? left : right);
        }
    }
    return image;
}

// A JPEG with an Exif segment whose only entry is the orientation (1 to 8),
// put right after the start of image.
inline Bytes WithExifOrientation(Bytes jpeg, std::uint8_t orientation) {
    const Bytes exif{0xFF,        0xE1, 0,   34,              // APP1, 34 bytes with the length
                     'E',         'x',  'i', 'f', 0, 0,       //
                     'I',         'I',  42,  0,   8, 0, 0, 0, // little-endian TIFF, first IFD at 8
                     1,           0,                          // one entry:
                     0x12,        0x01, 3,   0,   1, 0, 0, 0, // orientation, SHORT, 1 value
                     orientation, 0,    0,   0,               //
                     0,           0,    0,   0};              // no next IFD
    jpeg.insert(jpeg.begin() + 2, exif.begin(), exif.end());
    return jpeg;
}

constexpr Rgb Red{255, 0, 0};
constexpr Rgb Blue{0, 0, 255};
constexpr Rgb Black{0, 0, 0};

struct Good {
    const char* kind;
    Bytes file;
    int width;
    int height;
    bool tall;
    Rgb topLeft;
    Rgb bottomRight;
    int tolerance; // JPEG and WebP change colours a little
};

void ExpectNear(Rgb actual, Rgb expected, int tolerance, const std::string& where) {
    EXPECT_NEAR(actual.r, expected.r, tolerance) << where;
    EXPECT_NEAR(actual.g, expected.g, tolerance) << where;
    EXPECT_NEAR(actual.b, expected.b, tolerance) << where;
}

// The files hostile-pictures.py --quick makes, made once for all tests.
class PictureFiles : public ::testing::Test {
protected:
    static void SetUpTestSuite() {
        folder = std::make_unique<TempDir>();
        const std::string command =
            "python3 " KALVERO_HOSTILE_PICTURES " --quick " + folder->path().string();
        ASSERT_EQ(std::system(command.c_str()), 0) << command;
    }
    static void TearDownTestSuite() { folder.reset(); }
    static Bytes file(const std::string& name) { return ReadBytes(folder->file(name)); }
    static inline std::unique_ptr<TempDir> folder;
};

// 2 MiB of comments after the start of image: left out before decoding.
Bytes WithComments(Bytes jpeg) {
    Bytes comment{0xFF, 0xFE, 0xFF, 0xFF};
    comment.resize(2 + 0xFFFF, 'a');
    for (int i = 0; i < 32; ++i) {
        jpeg.insert(jpeg.begin() + 2, comment.begin(), comment.end());
    }
    return jpeg;
}

// Every kind comes as its pixels, short or tall by its shape: turned upright
// by its Exif orientation, transparent parts laid over black, colour
// profiles turned into sRGB, large pictures in blocks of 2 x 2 or more
// averaged in linear light, an animated GIF as its first frame, an SVG's text
// drawn (fonts need the module's QGuiApplication).
TEST_F(PictureFiles, EachKindOfPictureComesAsItsPixels) {
    const QImage halves = Halves(40, 20, qRgb(255, 0, 0), qRgb(0, 0, 255)); // 2:1: short
    const Bytes jpeg = Encoded(halves, "jpeg");
    QImage grey(4, 4, QImage::Format_RGB32);
    grey.fill(qRgb(128, 128, 128));
    grey.setColorSpace(QColorSpace(QColorSpace::SRgbLinear)); // the PNG carries the profile
    // Linear 128/255 = 0.502; in sRGB 1.055 * 0.502^(1/2.4) - 0.055 = 0.7367, * 255 = 187.9;
    // so is half the light of white.
    constexpr Rgb Mid{188, 188, 188};
    const Good cases[] = {
        {"png", Encoded(halves, "png"), 40, 20, false, Red, Blue, 0},
        {"jpeg", jpeg, 40, 20, false, Red, Blue, 12},
        // A quarter turn clockwise: the left half goes on top; then the other way.
        {"jpeg, turned right", WithExifOrientation(jpeg, 6), 20, 40, true, Red, Blue, 12},
        {"jpeg, turned right, with 2 MiB of comments (left out, the Exif segment stays)",
         WithExifOrientation(WithComments(jpeg), 6), 20, 40, true, Red, Blue, 12},
        {"png in linear light", Encoded(grey, "png"), 4, 4, true, Mid, Mid, 0},
        {"gif-two-frames.gif", file("gif-two-frames.gif"), 1, 1, true, Red, Red, 0},
        {"svg-halves.svg", file("svg-halves.svg"), 30, 10, false, Red, Blue, 0},
        {"svg-text.svg", file("svg-text.svg"), 200, 100, false, Black, Black, 0},
        // Half red: 255 * 128 / 255; then invisible white.
        {"png-half-transparent.png",
         file("png-half-transparent.png"),
         2,
         1,
         false,
         {128, 0, 0},
         Black,
         0},
        // Top red, bottom blue, decoded at 1995 x 1088, then turned: red on the right.
        {"jpeg of 2200 x 1200 turned right",
         WithExifOrientation(Encoded(Halves(1200, 2200, qRgb(255, 0, 0), qRgb(0, 0, 255))
                                         .transformed(QTransform().rotate(90)),
                                     "jpeg"),
                             6),
         1088, 1995, true, Blue, Red, 12},
        // Blocks of 2: 2200 / 1088, 2100 / 1008.
        {"png of 2200 x 2100", Encoded(Halves(2200, 2100, qRgb(255, 0, 0), qRgb(0, 0, 255)), "png"),
         1100, 1050, true, Red, Blue, 0},
        {"png-stripes-2200x2100.png", file("png-stripes-2200x2100.png"), 1100, 1050, true, Mid, Mid,
         0},
    };
    for (const Good& good : cases) {
        ASSERT_FALSE(good.file.empty()) << good.kind << ": Qt cannot write it here";
        const FileResult<DecodedPicture> picture = DecodePicture(good.file);
        ASSERT_TRUE(picture.ok()) << good.kind << ": " << picture.error().reason.english();
        const RgbImage& pixels = picture.value().pixels;
        EXPECT_EQ(pixels.width, good.width) << good.kind;
        EXPECT_EQ(pixels.height, good.height) << good.kind;
        EXPECT_EQ(picture.value().tall, good.tall) << good.kind;
        ExpectNear(pixels.at(0, 0), good.topLeft, good.tolerance, good.kind);
        ExpectNear(pixels.at(pixels.width - 1, pixels.height - 1), good.bottomRight, good.tolerance,
                   good.kind);
    }
}

#if defined(__SANITIZE_ADDRESS__)
// AddressSanitizer's shadow memory and quarantine raise the peak by themselves.
constexpr long PeakLimitKilobytes = 400 * 1024;
#else
constexpr long PeakLimitKilobytes = 200 * 1024;
#endif

long PeakKilobytes() {
    rusage usage{};
    getrusage(RUSAGE_SELF, &usage);
    return usage.ru_maxrss;
}

// Refused with the decoder's reason, or, where Qt's reader would take a file
// cut short without a word, with what the header promised; pictures over a
// limit are refused before anything is decoded.
TEST_F(PictureFiles, DamagedAndOversizedPicturesAreRefusedWithTheReason) {
    using enum FileProblem;
    const std::tuple<const char*, FileProblem, std::string> cases[] = {
        {"jpeg-cut-short.jpg", NotAccepted,
         "damaged picture (Corrupt JPEG data: premature end of data segment)"},
        {"png-cut-in-half.png", NotAccepted, "damaged picture (libpng error: Read Error)"},
        {"png-wrong-crc.png", NotAccepted, "damaged picture (libpng error: IDAT: CRC error)"},
        {"text.txt", NotAccepted, "not a picture that can be read (Unsupported image format)"},
        {"svgz-cut-off.svgz", NotAccepted, "damaged compressed data (it ends too early)"},
        {"svg-takes-another-file.svg", NotAccepted,
         "not drawn: it takes a picture from another file (/etc/logo.png); embed it in the "
         "drawing"},
        // 64 x 64 pixels of LZW codes 3 bits wide, cut in their middle.
        {"gif-cut-to-half.gif", NotAccepted,
         "damaged picture (it ends too early: its pixels are cut off)"},
        // 54 bytes of headers and 84 rows of 136 * 4 bytes.
        {"bmp-1742-bytes-claiming-32-bits.bmp", NotAccepted,
         "damaged picture (it ends too early: its header promises 45750 bytes, the file has "
         "1742)"},
        {"bmp-rle8-cut.bmp", NotAccepted,
         "damaged picture (it ends too early: its pixels are cut off)"},
        // 2 bytes a row of 16 pixels, 8 rows; 5 values before the cut.
        {"xbm-cut.xbm", NotAccepted,
         "damaged picture (it ends too early: its header promises 16 bytes of pixels, the file "
         "has 5)"},
        // 19 bytes of header, 64 * 64 * 3 of pixels and 26 of footer.
        {"tga-half-its-rows.tga", NotAccepted,
         "damaged picture (it ends too early: its header promises 12333 bytes, the file has "
         "6189)"},
        // 16000 * 16000 * 4 bytes = 1,024,000,000 bytes.
        {"png-claims-16000x16000.png", TooLarge,
         "too large: 16000 x 16000 pixels would take 977 MiB decoded (at most 128 MiB)"},
        // 4000 * 8400 * 4 = 134,400,000 bytes, just over 128 MiB (134,217,728).
        {"png-claims-4000x8400.png", TooLarge,
         "too large: 4000 x 8400 pixels would take 128 MiB decoded (at most 128 MiB)"},
        // All coefficients at full size: 2500 x 2500 blocks of 128 bytes =
        // 800,000,000; decoded at 1/8: 2500 * 2500 * 4 = 25,000,000; scaled to
        // 1088 x 1088: 4,734,976. 829,734,976 bytes in all.
        {"jpeg-progressive-20000x20000.jpg", TooLarge,
         "too large: 20000 x 20000 pixels would take 791 MiB decoded (at most 128 MiB)"},
        {"svg-25001-elements.svg", TooLarge, "too large: a drawing of more than 25000 elements"},
        {"svgz-unpacks-to-5MiB.svgz", TooLarge, "too large: it unpacks to more than 4 MiB"},
        {"svg-4MiB-and-a-byte.svg", TooLarge,
         "too large: an SVG drawing of more than 4 MiB is not read"},
        {"file-48MiB-and-a-byte.png", TooLarge,
         "too large: 50331649 bytes (pictures of at most 48 MiB are read)"},
    };
    for (const auto& [name, problem, reason] : cases) {
        const FileResult<DecodedPicture> picture = DecodePicture(file(name));
        ASSERT_FALSE(picture.ok()) << name;
        EXPECT_EQ(picture.error().problem, problem) << name;
        EXPECT_EQ(picture.error().reason.english(), reason) << name;
    }
    // None was decoded: the largest input here is the 48 MiB file itself.
    EXPECT_LT(PeakKilobytes(), PeakLimitKilobytes);
    for (const char* whole : {"svg-25000-elements.svg", "gif-whole.gif", "bmp-rle8-whole.bmp"}) {
        const FileResult<DecodedPicture> picture = DecodePicture(file(whole));
        EXPECT_TRUE(picture.ok()) << whole << ": " << picture.error().reason.english();
    }
}

} // namespace
} // namespace kalvero::test
