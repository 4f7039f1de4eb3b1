#include "cli/CliTest.h"

namespace kalvero::test {
namespace {

using CliUsage = CliTest;

// Exit status 0 with text on standard output, 1 for a file, 2 for a wrong command line;
// the help texts themselves are checked against docs/cli.md (CliDocsMatchHelp).
TEST_F(CliUsage, ExitStatusAndMessageOfEachCommandLine) {
    struct Case {
        Arguments arguments;
        std::string text; // part of standard output for status 0, else of standard error
        int exitCode = 2;
    };
    const Case cases[] = {
        {{"-V"}, std::string("kalvero-cli ") + KALVERO_VERSION + "\n", 0},
        {{"info", "--", "--help"}, "kalvero-cli: --help: file not found\n", 1},
        {{}, "kalvero-cli: no command given\nTry 'kalvero-cli --help'.\n"},
        {{"frobnicate"}, "unknown command 'frobnicate'"},
        {{"bmp2epa", "--bogus", "a", "b"},
         "kalvero-cli: unknown option '--bogus'\nTry 'kalvero-cli bmp2epa --help'.\n"},
        {{"bmp2epa", "--negative=yes", "a", "b"}, "option '--negative' takes no value"},
        {{"render", "a", "b", "--scale"}, "option '--scale' needs a value (N)"},
        {{"bmp2epa", "a", "b", "c"}, "bmp2epa needs an input and an output file"},
        {{"render", "--scale", "17", "a", "b"},
         "--scale needs a whole number from 1 to 16, not '17'"},
        {{"epa2bmp", "--output-dir", "-", "a"}, "- (standard output) takes a single output only"},
        {{"epa2bmp", "--output-dir=.", "a", "-"}, "- (standard input) is for IN OUT only"},
        {{"info", "-", "x", "-"}, "standard input (-) can be read once only"},
        {{"render", "--boot", "--grid", "a", "b"},
         "kalvero-cli: the PC shows no cell grid: --grid goes with neither --boot nor "
         "--boot-screen\nTry 'kalvero-cli render --help'.\n"},
        {{"render", "--boot", "--boot-screen", "a", "b"},
         "kalvero-cli: --boot and --boot-screen exclude each other\nTry 'kalvero-cli render "
         "--help'.\n"},
        {{"import", "--mono", "a", "b.epa"}, "--mono makes a bitmap: name the output .bmp"},
        {{"import", "--mono", "--colors16", "a", "b.bmp"}, "choose one of --mono, --colors16"},
        {{"import", "--short", "--tall", "a", "b"}, "choose --short or --tall, not both"},
        {{"import", "--fit", "--stretch", "a", "b"}, "choose one of --fit, --fill and --stretch"},
        {{"import", "--threshold", "100", "a", "b.epa"}, "--threshold is for --mono only"},
        {{"import", "--mono", "--dither=diffusion", "--threshold=9", "a", "b.bmp"},
         "--threshold is for pictures without dithering"},
        {{"import", "--full-screen", "a", "b.bmp"}, "--full-screen makes an EPA 2.0 image"},
        {{"import", "--full-screen", "--tall", "a", "b"}, "--short and --tall are for logos 136"},
        {{"import", "--size=640x480", "a", "b.epa"}, "--size is for --full-screen only"},
        {{"import", "--full-screen", "--size", "640x400", "a", "b"},
         "--size takes 640x480, 640x464 or 640x479, the sizes of full-screen logos in BIOS "
         "images, not '640x400'"},
        {{"import", "--mono", "--all-16-colors", "a", "b.bmp"},
         "--all-16-colors is for --colors16 and --full-screen only"},
        {{"import", "--no-palette", "a", "b.epa"}, "--no-palette is for --full-screen only"},
        {{"bios"},
         "kalvero-cli: bios needs one of its commands first: list, verify, extract, replace, "
         "try\nTry "
         "'kalvero-cli bios --help'.\n"},
        {{"bios", "flash", "a"}, "unknown bios command 'flash'"},
        {{"bios", "list"},
         "kalvero-cli: bios list needs at least one image\nTry 'kalvero-cli bios list --help'.\n"},
        {{"bios", "verify", "-", "-"}, "standard input (-) can be read once only"},
        {{"bios", "extract", "a"}, "bios extract needs an input and an output file"},
        {{"bios", "replace", "a", "b"}, "bios replace needs an image, a logo and an output file"},
        {{"bios", "try", "a", "b"}, "bios try needs one image"},
        {{"bios", "try", "--timeout", "0", "a"},
         "--timeout needs a whole number of seconds from 1 to 600, not '0'"},
    };
    for (const Case& c : cases) {
        const std::string line = Joined(c.arguments);
        const CliRun result = run(c.arguments);
        EXPECT_EQ(result.exitCode, c.exitCode) << line;
        EXPECT_NE((c.exitCode == 0 ? result.out : result.err).find(c.text), std::string::npos)
            << line << "\n"
            << result.err;
        EXPECT_EQ(c.exitCode == 0 ? result.err : result.out, "") << line;
    }
    EXPECT_TRUE(dir.entries().empty());
}

} // namespace
} // namespace kalvero::test
