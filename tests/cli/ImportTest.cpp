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
