#include "cli/CliRunner.h"

namespace kalvero::test {
namespace {

using CliUsage = CliTest;

TEST_F(CliUsage, ExitStatusAndMessageOfEachCommandLine) {
    struct Case {
        QStringList arguments;
        int exitCode;
        std::string err; // part of standard error ("" for none at all)
        std::string out; // part of standard output
    };
    const Case cases[] = {
        {{}, 2, "kalvero-cli: no command given\nTry 'kalvero-cli --help'.\n", ""},
        {{"frobnicate"}, 2, "unknown command 'frobnicate'", ""},
        {{"--frobnicate"}, 2, "unknown option '--frobnicate'", ""},
        {{"--help"}, 0, "", "Usage: kalvero-cli COMMAND"},
        {{"-h"}, 0, "", "  render    Draw a PNG preview"},
        {{"bmp2epa", "--help"}, 0, "", "Usage: kalvero-cli bmp2epa [--negative] IN.bmp OUT.epa"},
        {{"info", "-h"}, 0, "", "Usage: kalvero-cli info FILE..."},
        {{"render", "--help"}, 0, "", "EPA version 1\n                      only"},
        {{"epa2bmp", "--help", "a", "b"}, 0, "", "--output-dir DIR"},
        {{"bmp2epa", "--bogus", "a", "b"},
         2,
         "Unknown option 'bogus'.\nTry 'kalvero-cli bmp2epa --help'.",
         ""},
        {{"bmp2epa", "a.bmp"}, 2, "bmp2epa needs an input and an output file", ""},
        {{"bmp2epa", "a", "b", "c"}, 2, "bmp2epa needs an input and an output file", ""},
        {{"epa2bmp"}, 2, "Try 'kalvero-cli epa2bmp --help'.", ""},
        {{"bmp2epa", "--output-dir", "."}, 2, "bmp2epa --output-dir needs input files", ""},
        {{"render", "--output-dir"}, 2, "Missing value after '--output-dir'.", ""},
        {{"render", "--scale", "0", "a", "b"},
         2,
         "--scale needs a whole number from 1 to 16, not '0'",
         ""},
        {{"render", "--scale", "17", "a", "b"}, 2, "not '17'", ""},
        {{"render", "--scale", "x", "a", "b"}, 2, "not 'x'", ""},
        {{"render", "--scale=1.5", "a", "b"}, 2, "not '1.5'", ""},
        {{"render", "a", "b", "--scale"}, 2, "Missing value after '--scale'.", ""},
        {{"info"}, 2, "info needs at least one file", ""},
        {{"info", "--negative", "a"}, 2, "Unknown option 'negative'.", ""},
        {{"epa2bmp", "--grid", "a", "b"}, 2, "Unknown option 'grid'.", ""},
        // Well-formed command lines whose file is missing fail with 1, not 2.
        {{"render", "--grid", "--scale", "16", "missing.epa", "out.png"},
         1,
         "kalvero-cli: missing.epa: file not found\n",
         ""},
        {{"info", "--", "--help"}, 1, "kalvero-cli: --help: file not found\n", ""},
    };
    for (const Case& c : cases) {
        const QString line = c.arguments.join(' ');
        const CliRun result = run(c.arguments);
        EXPECT_EQ(result.exitCode, c.exitCode) << line.toStdString();
        if (c.err.empty()) {
            EXPECT_EQ(result.err, "") << line.toStdString();
        } else {
            EXPECT_NE(result.err.find(c.err), std::string::npos) << line.toStdString() << "\n"
                                                                 << result.err;
        }
        EXPECT_NE(result.out.find(c.out), std::string::npos) << line.toStdString();
        if (c.exitCode == 2) {
            EXPECT_EQ(result.out, "") << line.toStdString();
        }
    }
    EXPECT_TRUE(dir.entries().empty());
}

TEST_F(CliUsage, VersionIsTheProjectVersion) {
    for (const QString option : {"--version", "-v"}) {
        const CliRun result = run({option});
        EXPECT_EQ(result.exitCode, 0);
        EXPECT_EQ(result.out, std::string("kalvero-cli ") + KALVERO_VERSION + "\n");
    }
}

TEST_F(CliUsage, OverallHelpListsEveryCommandAndTheExitStatus) {
    const CliRun result = run({"--help"});
    for (const char* expected :
         {"\n  info      ", "\n  bmp2epa   ", "\n  epa2bmp   ", "\n  render    ",
          "Put -- before file names that begin with a dash.", "2 for a wrong command line.\n"}) {
        EXPECT_NE(result.out.find(expected), std::string::npos) << expected;
    }
}

} // namespace
} // namespace kalvero::test
