#include "cli/CliTest.h"

namespace kalvero::test {
namespace {

using CliImport = CliTest;

// The lengths themselves are checked in tests/conversion/import.
TEST_F(CliImport, EachOptionMakesItsKindOfFile) {
    QImage wide(272, 84, QImage::Format_RGB32); // wide enough for the short logo
    wide.fill(Qt::red);
    ASSERT_TRUE(wide.save(QString::fromStdString(dir.file("wide.png").string())));
    const std::tuple<Arguments, std::string, std::string> cases[] = {
        {{}, "out.epa", "EPA version 1, short logo, 136 x 84"},
        {{"--tall", "--epa"}, "out.logo", "EPA version 1, tall logo, 136 x 126"},
        {{"--mono"}, "out.bmp", "bitmap, 2 colours, 136 x 84"},
        {{"--colors16", "--tall"}, "out.bmp", "bitmap, 16 colours, 136 x 126"},
        {{"--full-screen"}, "out.epa", "EPA 2.0, 4-bit (16 colours), 640 x 480"},
        {{"--full-screen", "--size", "640x479"},
         "out.logo",
         "EPA 2.0, 4-bit (16 colours), 640 x 479"},
        {{"--full-screen", "--size", "640x464", "--no-palette"},
         "out.epa",
         "EPA 2.0, 4-bit (16 standard VGA colours, no palette), 640 x 464"},
    };
    for (const auto& [options, output, description] : cases) {
        Arguments arguments{"import"};
        arguments.insert(arguments.end(), options.begin(), options.end());
        arguments.insert(arguments.end(), {"wide.png", output});
        EXPECT_EQ(run(arguments), Succeeded());
        EXPECT_EQ(run({"info", output}), Succeeded(output + ": " + description + "\n"));
    }
}

// Sixteen colours of 0, 85, 170 and 255, 6-bit shades all, in squares: the
// full-screen logo shows them exactly, epa2bmp writes a bitmap that Qt reads as render draws the
// logo, and the import of that bitmap gives the same logo again.
TEST_F(CliImport, FullScreenLogoShowsSixteenColoursExactlyAndComesBackFromItsBitmap) {
    QImage squares(640, 480, QImage::Format_RGB32);
    for (int y = 0; y < 480; ++y) {
        for (int x = 0; x < 640; ++x) {
            const int i = (x / 40 + y / 30) % 16;
            const int low = i & 8 ? 85 : 0;
            squares.setPixel(
                x, y,
                qRgb(i & 4 ? low + 170 : low, i & 2 ? low + 170 : low, i & 1 ? low + 170 : low));
        }
    }
    ASSERT_TRUE(squares.save(QString::fromStdString(dir.file("squares.png").string())));
    for (const Arguments& arguments :
         {Arguments{"import", "--full-screen", "--all-16-colors", "squares.png", "logo.epa"},
          Arguments{"render", "logo.epa", "logo.png"}, Arguments{"epa2bmp", "logo.epa", "logo.bmp"},
          Arguments{"import", "--full-screen", "--all-16-colors", "logo.bmp", "again.epa"}}) {
        ASSERT_EQ(run(arguments), Succeeded()) << Joined(arguments);
    }
    EXPECT_EQ(png("logo.png").convertToFormat(QImage::Format_RGB32), squares);
    EXPECT_EQ(QImage(QString::fromStdString(dir.file("logo.bmp").string()))
                  .convertToFormat(QImage::Format_RGB32),
              squares);
    EXPECT_EQ(read("again.epa"), read("logo.epa"));
}

TEST_F(CliImport, FileThatIsNoPictureLeavesTheOutputAlone) {
    write("notes.txt", {'h', 'i', '\n'});
    write("out.epa", OldBytes);
    const CliRun result = run({"import", "notes.txt", "out.epa"});
    EXPECT_EQ(result.exitCode, 1);
    EXPECT_TRUE(result.err.starts_with("kalvero-cli: notes.txt: not a picture that can be read ("))
        << result.err;
    EXPECT_EQ(read("out.epa"), OldBytes);
}

} // namespace
} // namespace kalvero::test
