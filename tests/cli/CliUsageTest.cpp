#include "cli/CliTest.h"

namespace kalvero::test {
namespace {

using CliUsage = CliTest;

// Exit status 0 with text on standard output, 1 for a file, 2 for a wrong command line.
TEST_F(CliUsage, ExitStatusAndMessageOfEachCommandLine) {
    struct Case {
        QStringList arguments;
        std::string text; // part of standard output for status 0, else of standard error
        int exitCode = 2;
    };
    const Case cases[] = {
        {{"--help"}, "\n  render    Draw a PNG preview", 0},
        {{"--version"}, std::string("kalvero-cli ") + KALVERO_VERSION + "\n", 0},
        {{"bmp2epa", "--help"}, "Usage: kalvero-cli bmp2epa [--negative] IN.bmp OUT.epa", 0},
        {{"info", "--", "--help"}, "kalvero-cli: --help: file not found\n", 1},
        {{}, "kalvero-cli: no command given\nTry 'kalvero-cli --help'.\n"},
        {{"frobnicate"}, "unknown command 'frobnicate'"},
        {{"bmp2epa", "--bogus", "a", "b"}, "Unknown option 'bogus'.\nTry 'kalvero-cli bmp2epa"},
        {{"bmp2epa", "a", "b", "c"}, "bmp2epa needs an input and an output file"},
        {{"render", "--scale", "17", "a", "b"},
         "--scale needs a whole number from 1 to 16, not '17'"},
        {{"import", "--mono", "a", "b.epa"}, "--mono makes a bitmap: name the output .bmp"},
        {{"import", "--mono", "--colors16", "a", "b.bmp"}, "choose one of --mono, --colors16"},
        {{"import", "--short", "--tall", "a", "b"}, "choose --short or --tall, not both"},
        {{"import", "--fit", "--stretch", "a", "b"}, "choose one of --fit, --fill and --stretch"},
        {{"import", "--threshold", "100", "a", "b.epa"}, "--threshold is for --mono only"},
        {{"import", "--mono", "--dither=diffusion", "--threshold=9", "a", "b.bmp"},
         "--threshold is for pictures without dithering"},
    };
    for (const Case& c : cases) {
        const std::string line = c.arguments.join(' ').toStdString();
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
