#include "cli/CliRunner.h"
#include "cli/CliTestFiles.h"

#include <QPainter>
#include <bitset>

namespace kalvero::test {
namespace {

// A 4 x 2 GIF, red on the left half, blue on the right (Qt reads GIF but
// does not write it).
const std::vector<std::uint8_t> RedBlueGif{
    0x47, 0x49, 0x46, 0x38, 0x39, 0x61, 0x04, 0x00, 0x02, 0x00, 0xf0, 0x00, 0x00, 0xff, 0x00,
    0x00, 0x00, 0x00, 0xff, 0x21, 0xf9, 0x04, 0x00, 0x00, 0x00, 0x00, 0x00, 0x2c, 0x00, 0x00,
    0x00, 0x00, 0x04, 0x00, 0x02, 0x00, 0x00, 0x02, 0x04, 0x04, 0x12, 0x86, 0x05, 0x00, 0x3b};

// An Exif segment (APP1, big-endian TIFF) with one entry, the orientation 6:
// turn the picture a quarter clockwise.
const std::vector<std::uint8_t> QuarterTurnExif{
    0xFF, 0xE1, 0, 34,   'E', 'x', 'i', 'f', 0, 0, 'M', 'M', 0, 42, 0, 0, 0, 8,
    0,    1,    1, 0x12, 0,   3,   0,   0,   0, 1, 0,   6,   0, 0,  0, 0, 0, 0};

QImage Flat(int width, int height, const QColor& colour,
            QImage::Format format = QImage::Format_RGB32) {
    QImage image(width, height, format);
    image.fill(colour);
    return image;
}

// Red on the left half, blue on the right.
QImage RedBlue(int width, int height) {
    QImage image = Flat(width, height, Qt::red);
    QPainter(&image).fillRect(width / 2, 0, width - width / 2, height, Qt::blue);
    return image;
}

int LitPixels(const std::vector<std::uint8_t>& bmp) {
    int lit = 0;
    for (std::size_t at = 62; at < bmp.size(); ++at) {
        lit += (at - 62) % 20 < 17 ? static_cast<int>(std::bitset<8>(bmp[at]).count()) : 0;
    }
    return lit;
}

class Import : public CliTest {
protected:
    void save(const QImage& image, const std::string& name, const char* format = nullptr) const {
        ASSERT_TRUE(image.save(QString::fromStdString(dir.file(name).string()), format)) << name;
    }
    CliRun import(const QStringList& arguments) const {
        return run(QStringList{"import"} + arguments);
    }
};

// Missing files and folders are in FileTroubleTest.
TEST_F(Import, FilesThatAreNoPictureAreReportedAndLeaveTheOutputAlone) {
    WriteBytes(dir.file("notes.txt"), {'h', 'e', 'l', 'l', 'o', '\n'});
    save(RedBlue(40, 30), "cut.png");
    std::vector<std::uint8_t> cut = ReadBytes(dir.file("cut.png"));
    cut.resize(cut.size() / 2);
    WriteBytes(dir.file("cut.png"), cut);
    WriteBytes(dir.file("out.epa"), {'o', 'l', 'd'});
    for (const std::string input : {"notes.txt", "cut.png"}) {
        const CliRun result = import({QString::fromStdString(input), "out.epa"});
        EXPECT_EQ(result.exitCode, 1) << input;
        // One line, whatever the image library reports on its own.
        EXPECT_TRUE(
            result.err.starts_with("kalvero-cli: " + input + ": not a picture that can be read ("))
            << result.err;
        EXPECT_EQ(std::count(result.err.begin(), result.err.end(), '\n'), 1) << result.err;
        EXPECT_EQ(ReadBytes(dir.file("out.epa")), (std::vector<std::uint8_t>{'o', 'l', 'd'}));
    }
}

TEST_F(Import, EachPictureBecomesTheFileAskedFor) {
    WriteBytes(dir.file("red-blue.gif"), RedBlueGif);
    save(RedBlue(40, 30).convertToFormat(QImage::Format_ARGB32), "alpha.png");
    save(RedBlue(40, 30), "photo.jpg", "JPEG");
    save(RedBlue(40, 30).convertToFormat(QImage::Format_Indexed8), "8bit.bmp");
    save(RedBlue(40, 30), "no-extension", "PNG");
    // 35 megapixels, 140 MB decoded whole: more than Qt allows by default.
    save(RedBlue(7000, 5000), "large.jpg", "JPEG");
    // Stored 300 x 100, shown 100 x 300 after its orientation tag: a portrait.
    save(RedBlue(300, 100), "stored.jpg", "JPEG");
    std::vector<std::uint8_t> turned = ReadBytes(dir.file("stored.jpg"));
    turned.insert(turned.begin() + 2, QuarterTurnExif.begin(), QuarterTurnExif.end());
    WriteBytes(dir.file("turned.jpg"), turned);
    // Transparent white on the left: laid over black, it is black.
    QImage clear = Flat(136, 126, QColor(255, 255, 255, 0), QImage::Format_ARGB32);
    QPainter(&clear).fillRect(68, 0, 68, 126, Qt::white);
    save(clear, "clear.png");
    // Twice as wide as the short logo: white, black, white, black quarters.
    QImage quarters = Flat(272, 84, Qt::black);
    QPainter(&quarters).fillRect(0, 0, 68, 84, Qt::white);
    QPainter(&quarters).fillRect(136, 0, 68, 84, Qt::white);
    save(quarters, "wide.png");

    using Bytes = std::vector<std::pair<std::size_t, int>>; // offset, value
    // Stretched over the tall logo: cell 0 red (12), cell 16 blue (9), all lit.
    const Bytes redBlue{{2, 12}, {18, 9}, {155, 0xFF}};
    // Judged by its own shape, 7:5 goes short and fits as 118 x 84 from
    // column 9: cell 1 lit from its second pixel on, cell 15 but its last.
    const Bytes large{{2, 0}, {3, 12}, {118, 0x7F}, {17, 9}, {314, 0xFE}, {18, 0}};
    // A row y of the short bitmap starts at 62 + (83 - y) * 20. Fit: half
    // size, rows 21 to 62, quarters 34 pixels wide.
    const Bytes fitted{{1322, 0}, {1302, 0xFF}, {1306, 0xC0}, {1310, 0x0F}, {482, 0xFF}, {462, 0}};
    const Bytes filled{{1722, 0}, {1730, 0x0F}, {62 + 16, 0xFF}};  // the middle half
    const Bytes stretched{{1722, 0xFF}, {1726, 0xC0}, {62, 0xFF}}; // quarters side by side
    struct Case {
        std::string input;
        QStringList options;
        std::string output;
        std::size_t length;
        Bytes bytes;
    };
    const Case cases[] = {
        {"red-blue.gif", {"--stretch", "--tall"}, "out.epa", 2367, redBlue},
        {"alpha.png", {"--stretch", "--tall"}, "out.epa", 2367, redBlue},
        {"photo.jpg", {"--stretch", "--tall"}, "out.epa", 2367, redBlue},
        {"8bit.bmp", {"--stretch", "--tall", "--epa"}, "out.logo", 2367, redBlue},
        {"no-extension", {"--stretch", "--tall"}, "out.epa", 2367, redBlue},
        {"large.jpg", {}, "out.epa", 1602, large},
        // Upright, red on top: the top row lit from column 47 on, the bottom not.
        {"turned.jpg", {"--mono"}, "out.bmp", 2582, {{2562 + 7, 0xFF}, {62 + 7, 0}}},
        // Transparent parts are black; the bottom row is stored first.
        {"clear.png", {"--mono"}, "out.bmp", 2582, {{62, 0x00}, {62 + 16, 0xFF}}},
        {"wide.png", {"--mono"}, "out.bmp", 1742, fitted},
        {"wide.png", {"--mono", "--fit"}, "out.bmp", 1742, fitted},
        {"wide.png", {"--mono", "--fill"}, "out.bmp", 1742, filled},
        {"wide.png", {"--mono", "--stretch"}, "out.bmp", 1742, stretched},
        {"wide.png", {"--colors16"}, "out.bmp", 5830, {}},
        {"wide.png", {"--colors16", "--tall"}, "out.bmp", 8686, {}},
    };
    for (const Case& c : cases) {
        const std::string what = c.input + " " + c.options.join(' ').toStdString();
        const QString output = QString::fromStdString(c.output);
        EXPECT_EQ(import(c.options + QStringList{QString::fromStdString(c.input), output}),
                  Succeeded())
            << what;
        const std::vector<std::uint8_t> bytes = ReadBytes(dir.file(c.output));
        ASSERT_EQ(bytes.size(), c.length) << what;
        for (const auto& [offset, value] : c.bytes) {
            EXPECT_EQ(bytes[offset], value) << what << " at " << offset;
        }
        if (c.output == "out.bmp") {
            EXPECT_EQ(run({"bmp2epa", output, "made.epa"}), Succeeded()) << what;
        }
    }
}

TEST_F(Import, ThresholdInvertAndDitheringReachTheBitmap) {
    save(Flat(136, 126, QColor(100, 100, 100)), "grey100.png");
    save(Flat(136, 126, QColor(188, 188, 188)), "half.png"); // half the light of white
    // Up to 256 colours make a drawing, more a photograph.
    QImage many = Flat(136, 126, QColor(188, 188, 188));
    for (int i = 0; i < 256; ++i) {
        if (i == 255) {
            save(many, "drawing.png");
        }
        many.setPixelColor(i % 136, 120 + i / 136, QColor(i, 0, 7)); // dark below 239
    }
    save(many, "photo.png");
    constexpr int All = 136 * 126;
    struct Case {
        QStringList options;
        const char* input;
        int lowest;
        int highest;
    };
    const Case cases[] = {
        {{}, "grey100.png", 0, 0}, // below the grey of L 50 (119)
        {{"--threshold", "100"}, "grey100.png", All, All},
        {{"--invert"}, "grey100.png", All, All}, // 155
        {{}, "half.png", All, All},              // one colour: not dithered
        {{"--dither", "ordered"}, "half.png", All / 2, All / 2},
        {{}, "drawing.png", All - 239, All - 239},
        {{}, "photo.png", All / 2 - 300, All / 2 + 300}, // diffused
        {{"--dither", "none"}, "photo.png", All - 239, All - 239},
    };
    for (const Case& c : cases) {
        const std::string what = c.options.join(' ').toStdString() + " " + c.input;
        ASSERT_EQ(
            import(QStringList{"--mono"} + c.options + QStringList{c.input, "out.bmp"}).exitCode, 0)
            << what;
        const int lit = LitPixels(ReadBytes(dir.file("out.bmp")));
        EXPECT_GE(lit, c.lowest) << what;
        EXPECT_LE(lit, c.highest) << what;
    }
    // A photograph is diffused unless asked otherwise: not the ordered pattern.
    for (const char* dither : {"diffusion", "ordered"}) {
        ASSERT_EQ(import({"--mono", "--dither", dither, "photo.png", dither}).exitCode, 0);
    }
    ASSERT_EQ(import({"--mono", "photo.png", "default"}).exitCode, 0);
    EXPECT_EQ(ReadBytes(dir.file("diffusion")), ReadBytes(dir.file("default")));
    EXPECT_NE(ReadBytes(dir.file("ordered")), ReadBytes(dir.file("default")));
}

TEST_F(Import, SampleDesignComesOutAsDrawn) {
    const QString design = QString::fromStdString(
        (std::filesystem::path(__FILE__).parent_path() / "../../resources/samples/sample-logo.png")
            .string());
    const QImage drawn(design);
    ASSERT_EQ(drawn.size(), QSize(136, 126));
    ASSERT_EQ(import({design, "logo.epa"}).exitCode, 0);
    ASSERT_EQ(import({"--colors16", design, "logo16.bmp"}).exitCode, 0);
    ASSERT_EQ(run({"bmp2epa", "logo16.bmp", "logo16.epa"}).exitCode, 0);
    ASSERT_EQ(run({"render", "logo.epa", "logo.png"}).exitCode, 0);
    ASSERT_EQ(run({"render", "logo16.epa", "logo16.png"}).exitCode, 0);
    const QImage logo = LoadPng(dir.file("logo.png"));
    const QImage epa2 = LoadPng(dir.file("logo16.png"));
    for (int y = 0; y < 126; ++y) {
        for (int x = 0; x < 136; ++x) {
            const std::array<int, 3> wanted = RgbAt(drawn, x, y);
            ASSERT_EQ(RgbAt(logo, x, y), wanted) << x << "," << y;
            // Six bits hold 128 as 130 and 192 as 190.
            for (std::size_t c = 0; c < 3; ++c) {
                ASSERT_LE(std::abs(RgbAt(epa2, x, y)[c] - wanted[c]), 2) << x << "," << y;
            }
        }
    }
}

} // namespace
} // namespace kalvero::test
