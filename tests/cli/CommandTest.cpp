#include "cli/CliTest.h"

#include <QColor>

namespace kalvero::test {
namespace {
namespace fs = std::filesystem;

using CliCommand = CliTest;

// What the tests look at in an output: a PNG's size and the colour of pixel
// (at, at), else the length and the byte at at.
std::string Look(const Bytes& bytes, std::size_t at) {
    const QImage png = QImage::fromData(bytes.data(), static_cast<int>(bytes.size()), "PNG");
    if (!png.isNull()) {
        const int xy = static_cast<int>(at);
        return std::to_string(png.width()) + " x " + std::to_string(png.height()) + " " +
               png.pixelColor(xy, xy).name().toStdString();
    }
    return std::to_string(bytes.size()) + " bytes, " +
           (at < bytes.size() ? std::to_string(bytes[at]) : "none");
}

// Each option reaches its command, - reads standard input and writes standard
// output. The conversions themselves are tested in tests/conversion; one byte
// or pixel here tells the option's effect.
TEST_F(CliCommand, OptionsAndStandardStreamsReachTheConversion) {
    Bytes mono = Bitmap(2, 126);
    mono[62 + 125 * 20] = 0x80; // pixel (0, 0): rows are stored bottom up
    Bytes colour = Bitmap(16, 126);
    colour[118 + 125 * 68] = 0x10; // pixel (0, 0) in colour 1
    Bytes logo = Logo(true);
    logo[2] = 4;      // cell 0 dark red
    logo[155] = 0x80; // its top-left pixel
    write("mono.bmp", mono);
    write("tall.epa", logo);
    const std::tuple<Arguments, Bytes, std::size_t, std::string> cases[] = {
        {{"bmp2epa", "mono.bmp", "out"}, {}, 155, "2367 bytes, 128"}, // cell 0's first glyph byte
        {{"bmp2epa", "mono.bmp", "out"}, {}, 2, "2367 bytes, 15"},    // every cell white
        {{"bmp2epa", "--negative", "-", "out"}, mono, 155, "2367 bytes, 127"},
        {{"bmp2epa", "--negative", "-", "-"}, colour, 8, "8628 bytes, 128"}, // plane 0, top row
        {{"epa2bmp", "-", "-"}, logo, 62 + 125 * 20, "2582 bytes, 128"},
        {{"render", "-", "out"}, logo, 0, "136 x 126 #800000"},
        {{"render", "--grid", "tall.epa", "-"}, {}, 1, "154 x 136 #800000"},   // cells from (1, 1)
        {{"render", "--grid", "tall.epa", "out"}, {}, 0, "154 x 136 #e0e0e0"}, // the grid
        {{"render", "--scale", "3", "tall.epa", "out"}, {}, 2, "408 x 378 #800000"},
        {{"render", "--scale=2", "--grid", "tall.epa", "out"}, {}, 1, "308 x 272 #e0e0e0"},
        // As the PC shows it: in VGA colours, alone or on its screen (its boot views:
        // tests/conversion).
        {{"render", "--boot", "--scale", "2", "tall.epa", "out"}, {}, 1, "272 x 252 #aa0000"},
        {{"render", "--boot-screen", "tall.epa", "out"}, {}, 0, "640 x 350 #000000"},
    };
    for (const auto& [arguments, input, at, expected] : cases) {
        fs::remove(dir.file("out"));
        const CliRun result = run(arguments, WithInput(input));
        EXPECT_EQ(result.exitCode, 0) << Joined(arguments) << result.err;
        const Bytes output =
            arguments.back() == "-" ? Bytes(result.out.begin(), result.out.end()) : read("out");
        EXPECT_EQ(Look(output, at), expected) << Joined(arguments);
    }
}

// One line for each file, standard input as -; a file that cannot be read
// goes to standard error and the others are still told.
TEST_F(CliCommand, InfoGoesOnPastAFileItCannotRead) {
    write("tall.epa", Logo(true));
    write("odd.bmp", Bytes(1743));
    EXPECT_EQ(run({"info", "missing.epa", "tall.epa", "-", "odd.bmp"}, WithInput(Bitmap(16, 84))),
              (CliRun{1,
                      "tall.epa: EPA version 1, tall logo, 136 x 126\n"
                      "-: bitmap, 16 colours, 136 x 84\n"
                      "odd.bmp: not accepted: wrong size: 1743 bytes (neither an EPA file nor one "
                      "of the four accepted bitmaps)\n",
                      "kalvero-cli: missing.epa: file not found\n"}));
}

// Reasons in German when the locale's messages are German, LC_ALL before
// LC_MESSAGES before LANG; the program's own words stay English.
TEST_F(CliCommand, ReasonsFollowTheLocalesLanguage) {
    const std::string english = "kalvero-cli: missing.epa: file not found\n";
    const std::string german = "kalvero-cli: missing.epa: Datei nicht gefunden\n";
    const std::pair<std::vector<std::string>, std::string> cases[] = {
        {{"LANG=de_DE.UTF-8"}, german},
        {{"LC_MESSAGES=de_AT", "LANG=en_US.UTF-8"}, german},
        {{"LC_ALL=C", "LANG=de_DE.UTF-8"}, english},
        {{"LANG=en_GB.UTF-8"}, english},
    };
    for (const auto& [locale, error] : cases) {
        EXPECT_EQ(run({"info", "missing.epa"}, {.locale = locale}), (CliRun{1, "", error}))
            << locale.front();
    }
}

// An output takes its input's name up to the last point; a second input of
// the same name is refused and the batch goes on.
TEST_F(CliCommand, OutputDirNamesEachOutputOnce) {
    fs::create_directories(dir.file("sub"));
    fs::create_directories(dir.file("out"));
    write("first.bmp", Bitmap(2, 84));
    write("sub/first.bmp", Bitmap(16, 84));
    write("logo.v2.bmp", Bitmap(16, 126));
    EXPECT_EQ(run({"bmp2epa", "--output-dir", "out", "first.bmp", "sub/first.bmp", "logo.v2.bmp"}),
              (CliRun{1, "",
                      "kalvero-cli: sub/first.bmp: not converted: an earlier input has the same "
                      "output name\n"}));
    EXPECT_EQ(read("out/first.epa").size(), 1602U);
    EXPECT_EQ(read("out/logo.v2.epa").size(), 8628U);
    EXPECT_EQ(FolderEntries(dir.file("out")),
              (std::vector<std::string>{"first.epa", "logo.v2.epa"}));
}

// A bitmap is read by its size alone; what its header says against that is a
// warning on standard error, named after the input, unless -q. The output and
// the exit status stay as they are. Each warning's text: BmpHeaderWarnings in
// tests/conversion.
TEST_F(CliCommand, HeaderThatContradictsTheLayoutIsAWarning) {
    Bytes bitmap = Bitmap(2, 126);
    bitmap[62 + 125 * 20] = 0x80; // the last row stored: the top row, read bottom up
    write("plain.bmp", bitmap);
    PutLittleEndian(bitmap, 22, -126, 4);
    write("odd.bmp", bitmap);
    ASSERT_EQ(run({"bmp2epa", "plain.bmp", "plain.epa"}), Succeeded());
    const std::string warning =
        ": warning: rows are stored top-down: the logo will be upside down\n";
    const std::pair<Arguments, std::string> cases[] = {
        {{"info", "odd.bmp"}, "kalvero-cli: odd.bmp" + warning},
        {{"bmp2epa", "-", "out/odd.epa"}, "kalvero-cli: standard input" + warning},
        {{"render", "--output-dir", "out", "odd.bmp"}, "kalvero-cli: odd.bmp" + warning},
        {{"bmp2epa", "-q", "odd.bmp", "out/odd.epa"}, ""},
    };
    for (const auto& [arguments, expected] : cases) {
        fs::remove_all(dir.file("out"));
        fs::create_directory(dir.file("out"));
        const CliRun result = run(arguments, WithInput(bitmap));
        EXPECT_EQ((CliRun{result.exitCode, "", result.err}), (CliRun{0, "", expected}))
            << Joined(arguments);
        if (arguments.front() == "bmp2epa") {
            EXPECT_EQ(read("out/odd.epa"), read("plain.epa")) << Joined(arguments);
        }
    }
}

} // namespace
} // namespace kalvero::test
