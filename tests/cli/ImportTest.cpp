#include "cli/CliRunner.h"
#include "cli/CliTestFiles.h"

#include <QColor>
#include <QImage>
#include <QImageWriter>
#include <QPainter>
#include <algorithm>
#include <bitset>

namespace kalvero::test {
namespace {

using Colour = std::array<int, 3>;

constexpr Colour Black{0, 0, 0};
constexpr Colour White{255, 255, 255};
constexpr Colour Red{255, 0, 0};
constexpr Colour Blue{0, 0, 255};

// A 4 x 2 GIF, red on the left half, blue on the right (Qt reads GIF but
// does not write it).
const std::vector<std::uint8_t> RedBlueGif{
    0x47, 0x49, 0x46, 0x38, 0x39, 0x61, 0x04, 0x00, 0x02, 0x00, 0xf0, 0x00, 0x00, 0xff, 0x00,
    0x00, 0x00, 0x00, 0xff, 0x21, 0xf9, 0x04, 0x00, 0x00, 0x00, 0x00, 0x00, 0x2c, 0x00, 0x00,
    0x00, 0x00, 0x04, 0x00, 0x02, 0x00, 0x00, 0x02, 0x04, 0x04, 0x12, 0x86, 0x05, 0x00, 0x3b};

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

// Many colours, none of them flat: what a photograph gives.
QImage PhotoLike(int width, int height) {
    QImage image(width, height, QImage::Format_RGB32);
    for (int y = 0; y < height; ++y) {
        for (int x = 0; x < width; ++x) {
            image.setPixelColor(x, y,
                                QColor((x * 7 + y) % 256, (y * 5 + x / 2) % 256, (x * y) % 256));
        }
    }
    return image;
}

std::filesystem::path SampleDesign() {
    return std::filesystem::path(__FILE__).parent_path().parent_path().parent_path() / "resources" /
           "samples" / "sample-logo.png";
}

int LitPixels(const std::vector<std::uint8_t>& monoBmp) {
    std::size_t lit = 0;
    for (std::size_t at = 62; at < monoBmp.size(); ++at) {
        if ((at - 62) % 20 < 17) {
            lit += std::bitset<8>(monoBmp[at]).count();
        }
    }
    return static_cast<int>(lit);
}

class Import : public CliTest {
protected:
    void save(const QImage& image, const std::string& name, const char* format = nullptr) const {
        ASSERT_TRUE(image.save(arg(name), format)) << name;
    }
    CliRun import(const QStringList& arguments) const {
        return run(QStringList{"import"} + arguments);
    }
};

TEST_F(Import, ContradictoryOrWrongOptionsAreUsageErrors) {
    save(RedBlue(40, 30), "in.png");
    struct Case {
        QStringList arguments;
        std::string err;
    };
    const Case cases[] = {
        {{"--mono", "in.png", "out.epa"}, "--mono makes a bitmap: name the output .bmp"},
        {{"--colors16", "in.png", "OUT.EPA"}, "--colors16 makes a bitmap"},
        {{"--epa", "in.png", "out.bmp"}, "--epa makes an EPA logo: name the output .epa"},
        {{"--mono", "--colors16", "in.png", "out.bmp"},
         "choose one of --mono, --colors16 and --epa"},
        {{"in.png", "out.bmp"}, "say which bitmap to make: --mono or --colors16"},
        {{"in.png", "out.png"}, "say what to make of the picture: --mono, --colors16 or --epa"},
        {{"--short", "--tall", "in.png", "out.epa"}, "choose --short or --tall, not both"},
        {{"--fit", "--stretch", "in.png", "out.epa"}, "choose one of --fit, --fill and --stretch"},
        {{"--threshold", "100", "in.png", "out.epa"}, "--threshold is for --mono only"},
        {{"--colors16", "--threshold", "9", "--output-dir", ".", "in.png"},
         "--threshold is for --mono only"},
        {{"--mono", "--dither", "diffusion", "--threshold", "100", "in.png", "out.bmp"},
         "--threshold is for pictures without dithering: leave out --dither diffusion"},
        {{"--mono", "--threshold", "256", "in.png", "out.bmp"},
         "--threshold needs a whole number from 0 to 255, not '256'"},
        {{"--mono", "--threshold", "-1", "in.png", "out.bmp"}, "not '-1'"},
        {{"--mono", "--threshold=half", "in.png", "out.bmp"}, "not 'half'"},
        {{"--dither", "floyd", "in.png", "out.epa"},
         "--dither takes none, ordered or diffusion, not 'floyd'"},
        {{"in.png"}, "import needs an input and an output file"},
        {{"--output-dir", "."}, "import --output-dir needs input files"},
        {{"--scale", "2", "in.png", "out.epa"}, "Unknown option 'scale'."},
    };
    for (const Case& c : cases) {
        const std::string line = c.arguments.join(' ').toStdString();
        const CliRun result = import(c.arguments);
        EXPECT_EQ(result.exitCode, 2) << line;
        EXPECT_NE(result.err.find(c.err), std::string::npos) << line << "\n" << result.err;
        EXPECT_NE(result.err.find("Try 'kalvero-cli import --help'."), std::string::npos) << line;
    }
    EXPECT_EQ(dir.entries(), std::vector<std::string>{"in.png"});
}

TEST_F(Import, HelpNamesEveryOption) {
    const std::string help = import({"--help"}).out;
    for (const char* option :
         {"--mono", "--colors16", "--epa", "--short", "--tall", "--fit", "--fill", "--stretch",
          "--dither MODE", "--threshold N", "--invert", "--output-dir DIR"}) {
        EXPECT_NE(help.find(std::string("\n  ") + option + " "), std::string::npos) << option;
    }
    EXPECT_NE(run({"--help"}).out.find("\n  import    Make an EPA logo"), std::string::npos);
}

TEST_F(Import, UnreadableInputsNameTheFileAndLeaveTheOutputAlone) {
    WriteBytes(dir.file("notes.txt"), {'h', 'e', 'l', 'l', 'o', '\n'});
    WriteBytes(dir.file("empty.png"), {});
    save(RedBlue(40, 30), "whole.png");
    std::vector<std::uint8_t> cut = ReadBytes(dir.file("whole.png"));
    cut.resize(cut.size() / 2);
    WriteBytes(dir.file("cut.png"), cut);
    std::filesystem::create_directory(dir.file("folder.png"));
    WriteBytes(dir.file("out.epa"), {'o', 'l', 'd'});
    struct Case {
        std::string input;
        std::string reason;
    };
    const Case cases[] = {
        {"missing.png", "file not found"},
        {"notes.txt", "not a picture that can be read (Unsupported image format)"},
        {"empty.png", "not a picture that can be read ("},
        {"cut.png", "not a picture that can be read ("},
        {"folder.png", ""},
    };
    for (const Case& c : cases) {
        const CliRun result = import({QString::fromStdString(c.input), "out.epa"});
        EXPECT_EQ(result.exitCode, 1) << c.input;
        EXPECT_EQ(result.err.rfind("kalvero-cli: " + c.input + ": " + c.reason, 0), 0U)
            << result.err;
        EXPECT_EQ(std::count(result.err.begin(), result.err.end(), '\n'), 1) << result.err;
        EXPECT_EQ(ReadBytes(dir.file("out.epa")), (std::vector<std::uint8_t>{'o', 'l', 'd'}));
    }
}

TEST_F(Import, PicturesOfAnyFormatAndDepthAreRead) {
    struct Case {
        std::string name;
        QImage::Format format;
        const char* writer;
    };
    const Case cases[] = {
        {"rgb.png", QImage::Format_RGB32, "PNG"},    {"alpha.png", QImage::Format_ARGB32, "PNG"},
        {"photo.jpg", QImage::Format_RGB32, "JPEG"}, {"24bit.bmp", QImage::Format_RGB888, "BMP"},
        {"32bit.bmp", QImage::Format_ARGB32, "BMP"}, {"8bit.bmp", QImage::Format_Indexed8, "BMP"},
        {"plain.ppm", QImage::Format_RGB32, "PPM"},  {"no-extension", QImage::Format_RGB32, "PNG"},
    };
    WriteBytes(dir.file("red-blue.gif"), RedBlueGif);
    for (const Case& c : cases) {
        const QImage picture = RedBlue(40, 30).convertToFormat(c.format);
        save(picture, c.name, c.writer);
    }
    std::vector<std::string> inputs{"red-blue.gif"};
    for (const Case& c : cases) {
        inputs.push_back(c.name);
    }
    for (const std::string& input : inputs) {
        const CliRun result =
            import({"--stretch", "--tall", QString::fromStdString(input), "out.epa"});
        ASSERT_EQ(result.exitCode, 0) << input << result.err;
        EXPECT_EQ(ReadBytes(dir.file("out.epa")).size(), 2367U) << input;
        ASSERT_EQ(run({"render", "out.epa", "out.png"}).exitCode, 0);
        const QImage shown = LoadPng(dir.file("out.png"));
        EXPECT_EQ(RgbAt(shown, 20, 60), Red) << input;
        EXPECT_EQ(RgbAt(shown, 115, 60), Blue) << input;
    }
}

TEST_F(Import, LargePhotographsAreReadSmallerButJudgedByTheirOwnShape) {
    // 35 megapixels, 140 MB decoded whole as RGBA: more than Qt allows by
    // default (128 MB). 7:5 is just wide enough for the short logo, where it
    // fits as 118 x 84 from column 9.
    save(RedBlue(7000, 5000), "large.jpg", "JPEG");
    ASSERT_EQ(import({"large.jpg", "out.epa"}).exitCode, 0);
    EXPECT_EQ(ReadBytes(dir.file("out.epa")).size(), 1602U);
    ASSERT_EQ(run({"render", "out.epa", "out.png"}).exitCode, 0);
    const QImage shown = LoadPng(dir.file("out.png"));
    EXPECT_EQ(RgbAt(shown, 8, 40), Black);
    EXPECT_EQ(RgbAt(shown, 20, 40), Red);
    EXPECT_EQ(RgbAt(shown, 115, 40), Blue);
    EXPECT_EQ(RgbAt(shown, 127, 40), Black);
}

TEST_F(Import, TurnedPhotographsAreShownUpright) {
    // Stored 300 x 100, shown 100 x 300 after its orientation tag: a portrait.
    QImageWriter writer(arg("turned.jpg"), "JPEG");
    writer.setTransformation(QImageIOHandler::TransformationRotate90);
    ASSERT_TRUE(writer.write(RedBlue(300, 100)));
    ASSERT_EQ(import({"--mono", "turned.jpg", "out.bmp"}).exitCode, 0);
    EXPECT_EQ(ReadBytes(dir.file("out.bmp")).size(), 2582U);
}

TEST_F(Import, TransparentPartsBecomeBlack) {
    QImage picture = Flat(136, 126, Qt::transparent, QImage::Format_ARGB32);
    QPainter(&picture).fillRect(68, 0, 68, 126, Qt::white);
    save(picture, "half.png");
    ASSERT_EQ(import({"--mono", "half.png", "out.bmp"}).exitCode, 0);
    const std::vector<std::uint8_t> bmp = ReadBytes(dir.file("out.bmp"));
    EXPECT_EQ(bmp[62], 0x00);      // bottom row, left: was transparent
    EXPECT_EQ(bmp[62 + 16], 0xFF); // bottom row, right: white
}

TEST_F(Import, EachOutputIsAcceptedByTheOtherCommands) {
    save(PhotoLike(300, 200), "wide.png"); // 3:2 goes short
    struct Case {
        QStringList options;
        std::string output;
        std::size_t length;
        std::string info;
        std::size_t epaLength; // of bmp2epa's result, or 0
    };
    const Case cases[] = {
        {{}, "out.epa", 1602, "EPA version 1, short logo, 136 x 84", 0},
        {{"--tall"}, "out.epa", 2367, "EPA version 1, tall logo, 136 x 126", 0},
        {{"--epa"}, "out.logo", 1602, "EPA version 1, short logo, 136 x 84", 0},
        {{"--mono"}, "out.bmp", 1742, "bitmap, 2 colours, 136 x 84", 1602},
        {{"--mono", "--tall", "--dither", "ordered"},
         "out.bmp",
         2582,
         "bitmap, 2 colours, 136 x 126",
         2367},
        {{"--colors16"}, "out.bmp", 5830, "bitmap, 16 colours, 136 x 84", 5772},
        {{"--colors16", "--tall", "--dither", "none"},
         "out.bmp",
         8686,
         "bitmap, 16 colours, 136 x 126",
         8628},
    };
    for (const Case& c : cases) {
        const QString output = QString::fromStdString(c.output);
        const std::string what = c.options.join(' ').toStdString();
        const CliRun result = import(c.options + QStringList{"wide.png", output});
        ASSERT_EQ(result.exitCode, 0) << what << result.err;
        EXPECT_EQ(result.out + result.err, "");
        EXPECT_EQ(ReadBytes(dir.file(c.output)).size(), c.length) << what;
        EXPECT_EQ(run({"info", output}).out, c.output + ": " + c.info + "\n") << what;
        if (c.epaLength != 0) {
            ASSERT_EQ(run({"bmp2epa", output, "made.epa"}).exitCode, 0) << what;
            EXPECT_EQ(ReadBytes(dir.file("made.epa")).size(), c.epaLength) << what;
        }
    }
}

TEST_F(Import, BlackBarsWhereThePictureDoesNotReach) {
    save(Flat(272, 84, Qt::white), "wide.png");
    save(Flat(84, 168, Qt::white), "portrait.png");
    struct Probe {
        int x;
        int y;
        Colour colour;
    };
    struct Case {
        QString scaling;
        QString input;
        int height;
        std::vector<Probe> probes;
    };
    const Case cases[] = {
        // Half size: 42 rows in the middle, 21 black above and below.
        {"--fit",
         "wide.png",
         84,
         {{0, 20, Black}, {0, 21, White}, {135, 62, White}, {135, 63, Black}}},
        {"--fill", "wide.png", 84, {{0, 0, White}, {135, 83, White}}},
        {"--stretch", "wide.png", 84, {{0, 0, White}, {135, 83, White}}},
        // 0.75 times: 63 columns from column 36, black at both sides.
        {"--fit",
         "portrait.png",
         126,
         {{35, 60, Black}, {36, 0, White}, {98, 125, White}, {99, 60, Black}}},
        {"--fill", "portrait.png", 126, {{0, 0, White}, {135, 125, White}}},
    };
    for (const Case& c : cases) {
        const std::string what = (c.scaling + " " + c.input).toStdString();
        ASSERT_EQ(import({"--mono", c.scaling, c.input, "out.bmp"}).exitCode, 0) << what;
        ASSERT_EQ(run({"render", "out.bmp", "out.png"}).exitCode, 0);
        const QImage shown = LoadPng(dir.file("out.png"));
        ASSERT_EQ(shown.height(), c.height) << what;
        for (const Probe& p : c.probes) {
            EXPECT_EQ(RgbAt(shown, p.x, p.y), p.colour) << what << " at " << p.x << "," << p.y;
        }
    }
}

TEST_F(Import, ThresholdInvertAndDitheringReachTheBitmap) {
    save(Flat(136, 126, QColor(100, 100, 100)), "grey100.png");
    save(Flat(136, 126, QColor(188, 188, 188)), "half.png"); // half the light of white
    QImage noisy = Flat(136, 126, QColor(188, 188, 188));
    for (int i = 0; i < 300; ++i) { // 301 colours: a photograph by the count
        noisy.setPixelColor(i % 136, 120 + i / 136, QColor(i % 256, i / 256, 7));
    }
    save(noisy, "noisy.png");
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
        {{"--threshold", "101"}, "grey100.png", 0, 0},
        {{"--invert"}, "grey100.png", All, All}, // 155
        {{}, "half.png", All, All},              // one colour: not dithered
        {{"--dither", "ordered"}, "half.png", All / 2, All / 2},
        {{"--dither", "diffusion"}, "half.png", All / 2 - 100, All / 2 + 100},
        {{}, "noisy.png", All / 2 - 300, All / 2 + 300}, // diffused
        {{"--dither", "none"}, "noisy.png", All - 300, All},
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
}

TEST_F(Import, SampleDesignComesOutAsDrawn) {
    const QString design = QString::fromStdString(SampleDesign().string());
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
            const Colour wanted = RgbAt(drawn, x, y);
            ASSERT_EQ(RgbAt(logo, x, y), wanted) << x << "," << y;
            // Six bits hold 128 as 130 and 192 as 190.
            for (std::size_t c = 0; c < 3; ++c) {
                ASSERT_LE(std::abs(RgbAt(epa2, x, y)[c] - wanted[c]), 2) << x << "," << y;
            }
        }
    }
}

TEST_F(Import, BatchNamesEachOutputByItsKind) {
    save(RedBlue(40, 30), "a.png");
    save(RedBlue(60, 20), "b.jpg", "JPEG");
    WriteBytes(dir.file("bad.png"), {1, 2, 3});
    struct Case {
        QStringList options;
        std::vector<std::string> made;
    };
    const Case cases[] = {
        {{}, {"a.epa", "b.epa"}},
        {{"--epa"}, {"a.epa", "b.epa"}},
        {{"--mono"}, {"a.bmp", "b.bmp"}},
        {{"--colors16", "--short"}, {"a.bmp", "b.bmp"}},
    };
    for (const Case& c : cases) {
        std::filesystem::remove_all(dir.file("out"));
        std::filesystem::create_directory(dir.file("out"));
        const CliRun result =
            import(c.options + QStringList{"--output-dir", "out", "a.png", "bad.png", "b.jpg"});
        EXPECT_EQ(result.exitCode, 1);
        EXPECT_EQ(result.err.rfind("kalvero-cli: bad.png: not a picture that can be read", 0), 0U);
        EXPECT_EQ(FolderEntries(dir.file("out")), c.made) << c.options.join(' ').toStdString();
    }
}

} // namespace
} // namespace kalvero::test
