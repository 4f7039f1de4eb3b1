#include "cli/CliRunner.h"

namespace kalvero::test {
namespace {

using CliUsage = CliTest;

TEST_F(CliUsage, ExitStatusAndMessageOfEachCommandLine) {
    struct Case {
        QStringList arguments;
        std::string text; // part of standard output for status 0, else of standard error
        int exitCode = 2;
    };
    const std::string version = std::string("kalvero-cli ") + KALVERO_VERSION + "\n";
    const Case cases[] = {
        {{"--help"}, "\n  render    Draw a PNG preview", 0},
        {{"-h"}, "2 for a wrong command line.\n", 0},
        {{"--version"}, version, 0},
        {{"-v"}, version, 0},
        {{"bmp2epa", "--help"}, "Usage: kalvero-cli bmp2epa [--negative] IN.bmp OUT.epa", 0},
        {{"epa2bmp", "--help", "a", "b"}, "--output-dir DIR", 0},
        // Well-formed command lines whose file is missing fail with 1, not 2.
        {{"render", "--grid", "--scale=16", "a", "b"}, "kalvero-cli: a: file not found\n", 1},
        {{"info", "--", "--help"}, "kalvero-cli: --help: file not found\n", 1},
        {{}, "kalvero-cli: no command given\nTry 'kalvero-cli --help'.\n"},
        {{"frobnicate"}, "unknown command 'frobnicate'"},
        {{"--frobnicate"}, "unknown option '--frobnicate'"},
        {{"bmp2epa", "--bogus", "a", "b"}, "Unknown option 'bogus'.\nTry 'kalvero-cli bmp2epa"},
        {{"bmp2epa", "a.bmp"}, "bmp2epa needs an input and an output file"},
        {{"bmp2epa", "a", "b", "c"}, "bmp2epa needs an input and an output file"},
        {{"epa2bmp"}, "Try 'kalvero-cli epa2bmp --help'."},
        {{"bmp2epa", "--output-dir", "."}, "bmp2epa --output-dir needs input files"},
        {{"render", "--output-dir"}, "Missing value after '--output-dir'."},
        {{"render", "--scale=0", "a", "b"}, "--scale needs a whole number from 1 to 16, not '0'"},
        {{"render", "--scale", "17", "a", "b"}, "not '17'"},
        {{"render", "--scale=x", "a", "b"}, "not 'x'"},
        {{"info"}, "info needs at least one file"},
        {{"info", "--negative", "a"}, "Unknown option 'negative'."},
        {{"epa2bmp", "--grid", "a", "b"}, "Unknown option 'grid'."},
        {{"import", "--scale=2", "a", "b"}, "'scale'.\nTry 'kalvero-cli import --help'."},
        {{"import", "a"}, "import needs an input and an output file"},
        {{"import", "--mono", "a", "b.epa"}, "--mono makes a bitmap: name the output .bmp"},
        {{"import", "--colors16", "a", "B.EPA"}, "--colors16 makes a bitmap"},
        {{"import", "--epa", "a", "b.bmp"}, "--epa makes an EPA logo: name the output .epa"},
        {{"import", "--mono", "--colors16", "a", "b.bmp"}, "choose one of --mono, --colors16"},
        {{"import", "a", "b.bmp"}, "say which bitmap to make: --mono or --colors16"},
        {{"import", "a", "b.png"}, "say what to make of the picture: --mono, --colors16 or --epa"},
        {{"import", "--short", "--tall", "a", "b"}, "choose --short or --tall, not both"},
        {{"import", "--fit", "--stretch", "a", "b"}, "choose one of --fit, --fill and --stretch"},
        {{"import", "--threshold", "100", "a", "b.epa"}, "--threshold is for --mono only"},
        {{"import", "--colors16", "--threshold", "9", "--output-dir", ".", "a"}, "for --mono only"},
        {{"import", "--mono", "--dither=diffusion", "--threshold=9", "a", "b.bmp"},
         "--threshold is for pictures without dithering: leave out --dither diffusion"},
        {{"import", "--mono", "--threshold", "256", "a", "b.bmp"}, "from 0 to 255, not '256'"},
        {{"import", "--mono", "--threshold=-1", "a", "b.bmp"}, "not '-1'"},
        {{"import", "--dither=floyd", "a", "b"}, "takes none, ordered or diffusion, not 'floyd'"},
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
