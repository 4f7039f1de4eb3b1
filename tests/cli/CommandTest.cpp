#include "cli/CliTest.h"

#include <QColor>

namespace kalvero::test {
namespace {
namespace fs = std::filesystem;

using CliCommand = CliTest;

TEST_F(CliCommand, Bmp2EpaConvertsEachKindOfBitmap) {
    struct Case {
        int colours;
        Arguments options;
        std::size_t length;
        std::size_t offset; // of the byte that holds pixel (0, 0)
        int value;
    };
    const Case cases[] = {
        {2, {}, 2367, 155, 0x80}, // the first glyph byte of cell 0
        {2, {"--negative"}, 2367, 155, 0x7F},
        {16, {}, 8628, 8, 0x80}, // plane 0 of the top row
        {16, {"--negative"}, 8628, 8, 0x80},
    };
    for (const Case& c : cases) {
        Bytes bitmap = Bitmap(c.colours, 126);
        bitmap[c.colours == 2 ? 62 + 125 * 20 : 118 + 125 * 68] = c.colours == 2 ? 0x80 : 0x10;
        write("in.bmp", bitmap);
        Arguments arguments{"bmp2epa"};
        arguments.insert(arguments.end(), c.options.begin(), c.options.end());
        arguments.insert(arguments.end(), {"in.bmp", "out.epa"});
        EXPECT_EQ(run(arguments), Succeeded());
        const Bytes epa = read("out.epa");
        ASSERT_EQ(epa.size(), c.length);
        EXPECT_EQ(epa[c.offset], c.value) << c.colours << Joined(c.options);
    }
}

TEST_F(CliCommand, InfoTellsOneLineForEachKindOfFile) {
    Bytes epa2{'A', 'W', 'B', 'M', 136, 0, 126, 0};
    epa2.resize(8628);
    // 3 x 2 pixels of one byte, "RGB " and 256 entries.
    Bytes epa256{'A', 'W', 'B', 'M', 3, 0, 2, 0, 0, 0, 0, 0, 0, 0, 'R', 'G', 'B', ' '};
    epa256.resize(epa256.size() + 768);
    const std::tuple<std::string, Bytes, std::string> cases[] = {
        {"short.epa", Logo(false), "EPA version 1, short logo, 136 x 84"},
        {"tall.epa", Logo(true), "EPA version 1, tall logo, 136 x 126"},
        {"v2.epa", epa2, "EPA 2.0, 4-bit (16 colours), 136 x 126"},
        {"v2-256.epa", epa256, "EPA 2.0, 8-bit (256 colours), 3 x 2"},
        {"mono.bmp", Bitmap(2, 84), "bitmap, 2 colours, 136 x 84"},
        {"colour.bmp", Bitmap(16, 126), "bitmap, 16 colours, 136 x 126"},
        {"odd.bmp", Bytes(1743),
         "not accepted: wrong size: 1743 bytes (neither an EPA file nor one of the four accepted "
         "bitmaps)"},
    };
    Arguments all{"info", "missing.epa"};
    std::string expected;
    for (const auto& [name, bytes, description] : cases) {
        write(name, bytes);
        all.push_back(name);
        expected += name + ": " + description + "\n";
    }
    // A file that cannot be read goes to standard error; the others are still told.
    EXPECT_EQ(run(all), (CliRun{1, expected, "kalvero-cli: missing.epa: file not found\n"}));
}

TEST_F(CliCommand, RenderSizeWithGridAndScale) {
    Bytes logo = Logo(true);
    logo[2] = 4;      // cell 0 dark red
    logo[155] = 0x80; // its top-left pixel
    write("tall.epa", logo);
    const QColor darkRed(128, 0, 0);
    const QColor grey(224, 224, 224); // the grid
    const std::tuple<Arguments, int, int, int, QColor> cases[] = {
        {{}, 136, 126, 0, darkRed},
        {{"--grid"}, 154, 136, 1, darkRed}, // cells from (1, 1)
        {{"--grid"}, 154, 136, 0, grey},
        {{"--scale", "3"}, 408, 378, 2, darkRed},
        {{"--scale=2", "--grid"}, 308, 272, 1, grey},
    };
    for (const auto& [options, width, height, at, colour] : cases) {
        const std::string what = Joined(options);
        Arguments arguments{"render"};
        arguments.insert(arguments.end(), options.begin(), options.end());
        arguments.insert(arguments.end(), {"tall.epa", "out.png"});
        ASSERT_EQ(run(arguments), Succeeded()) << what;
        const QImage image = png("out.png");
        EXPECT_EQ(image.size(), QSize(width, height)) << what;
        EXPECT_EQ(image.pixelColor(at, at), colour) << what;
    }
}

TEST_F(CliCommand, OutputDirGoesOnPastBadInputs) {
    fs::create_directories(dir.file("out"));
    fs::create_directories(dir.file("sub"));
    write("first.bmp", Bitmap(2, 84));
    write("bad.bmp", Bytes(1000));
    write("last.bmp", Bitmap(16, 126));
    write("sub/first.bmp", Bitmap(16, 84));
    const CliRun result = run(
        {"bmp2epa", "--output-dir", "out", "first.bmp", "bad.bmp", "sub/first.bmp", "last.bmp"});
    EXPECT_EQ(result.exitCode, 1);
    EXPECT_TRUE(result.err.starts_with("kalvero-cli: bad.bmp: wrong size: 1000 bytes (a bitmap "
                                       "must be 136 x 84 or 136 x 126 pixels: 1742 or 2582 bytes "
                                       "in 2 colours, 5830 or 8686 bytes in 16 colours)\n"))
        << result.err;
    EXPECT_TRUE(result.err.ends_with("kalvero-cli: sub/first.bmp: not converted: an earlier input "
                                     "has the same output name\n"))
        << result.err;
    EXPECT_EQ(read("out/first.epa").size(), 1602U);
    EXPECT_EQ(read("out/last.epa").size(), 8628U);
    EXPECT_EQ(FolderEntries(dir.file("out")), (std::vector<std::string>{"first.epa", "last.epa"}));
}

// - reads standard input where a command reads one file, and writes standard
// output where it writes one.
TEST_F(CliCommand, DashIsStandardInputAndOutput) {
    write("tall.epa", Logo(true));
    struct Case {
        Arguments arguments;
        Bytes input;
        std::size_t outputLength; // of out.epa, or else of standard output
        std::string start;        // of standard output
    };
    const Case cases[] = {
        {{"bmp2epa", "-", "out.epa"}, Bitmap(2, 84), 1602, ""},
        {{"bmp2epa", "--negative", "-", "-"}, Bitmap(16, 126), 8628, "AWBM"},
        {{"epa2bmp", "-", "-"}, Logo(true), 2582, "BM"},
        {{"epa2bmp", "tall.epa", "-"}, {}, 2582, "BM"},
        {{"render", "-", "-"}, Logo(false), 0, "\x89PNG"},
        {{"info", "-"}, Logo(false), 0, "-: EPA version 1, short logo, 136 x 84\n"},
    };
    for (const Case& c : cases) {
        std::filesystem::remove(dir.file("out.epa"));
        const CliRun result = run(c.arguments, WithInput(c.input));
        EXPECT_EQ(result.exitCode, 0) << Joined(c.arguments) << result.err;
        EXPECT_TRUE(result.out.starts_with(c.start)) << Joined(c.arguments);
        if (c.arguments.back() == "out.epa") {
            EXPECT_EQ(read("out.epa").size(), c.outputLength);
        } else if (c.outputLength != 0) {
            EXPECT_EQ(result.out.size(), c.outputLength) << Joined(c.arguments);
        }
    }
    EXPECT_EQ(run({"bmp2epa", "-", "out.epa"}, WithInput(Bytes(1743))),
              Failed("standard input: wrong size: 1743 bytes (a bitmap must be 136 x 84 or 136 x "
                     "126 pixels: 1742 or 2582 bytes in 2 colours, 5830 or 8686 bytes in 16 "
                     "colours)"));
}

// A bitmap is read by its size alone; what its header says against that is a
// warning (unless quiet) and changes neither the output nor the exit status.
// Each warning's text: BmpHeaderWarnings in tests/conversion.
TEST_F(CliCommand, HeaderThatContradictsTheLayoutIsAWarning) {
    Bytes bitmap = Bitmap(2, 126);
    bitmap[62 + 125 * 20] = 0x80; // the last row stored: the top row, read bottom up
    write("plain.bmp", bitmap);
    PutLittleEndian(bitmap, 22, -126, 4);
    PutLittleEndian(bitmap, 30, 1, 4);
    write("odd.bmp", bitmap);
    const auto warnings = [](const std::string& name) {
        const std::string prefix = "kalvero-cli: " + name + ": warning: ";
        return prefix + "rows are stored top-down: the logo will be upside down\n" + prefix +
               "the header says the pixels are compressed (RLE8): they are read as if they were "
               "not\n";
    };
    const std::string described = "bitmap, 2 colours, 136 x 126\n";
    EXPECT_EQ(run({"info", "odd.bmp"}), (CliRun{0, "odd.bmp: " + described, warnings("odd.bmp")}));
    EXPECT_EQ(run({"info", "-"}, WithInput(bitmap)),
              (CliRun{0, "-: " + described, warnings("standard input")}));
    EXPECT_EQ(run({"info", "-q", "odd.bmp"}), Succeeded("odd.bmp: " + described));
    fs::create_directory(dir.file("out"));
    for (const std::string command : {"bmp2epa", "render"}) {
        ASSERT_EQ(run({command, "plain.bmp", "plain.out"}), Succeeded());
        const std::string batchOutput = command == "render" ? "out/odd.png" : "out/odd.epa";
        const std::tuple<Arguments, std::string, std::string> cases[] = {
            {{command, "odd.bmp", "odd.out"}, "odd.out", warnings("odd.bmp")},
            {{command, "-", "odd.out"}, "odd.out", warnings("standard input")},
            {{command, "--output-dir", "out", "odd.bmp"}, batchOutput, warnings("odd.bmp")},
            {{command, "-q", "odd.bmp", "odd.out"}, "odd.out", ""},
        };
        for (const auto& [arguments, output, expected] : cases) {
            EXPECT_EQ(run(arguments, WithInput(bitmap)), (CliRun{0, "", expected}))
                << Joined(arguments);
            EXPECT_EQ(read(output), read("plain.out")) << Joined(arguments);
        }
    }
}

} // namespace
} // namespace kalvero::test
