#include "cli/CliRunner.h"
#include "cli/CliTestFiles.h"

namespace kalvero::test {
namespace fs = std::filesystem;
namespace {

using Safety = CliTest;

const std::vector<std::uint8_t> OldBytes{'o', 'l', 'd'};

TEST_F(Safety, FailedRunLeavesAnExistingOutputAsItWas) {
    TestBitmap(2, 84).save(dir.file("good.bmp"));
    WriteBytes(dir.file("bad.bmp"), std::vector<std::uint8_t>(1743, 0));
    TestLogo(true).save(dir.file("logo.epa"));
    struct Case {
        QStringList arguments;
        std::string output;
    };
    const Case cases[] = {
        {{"bmp2epa", "bad.bmp", "out.epa"}, "out.epa"},
        {{"bmp2epa", "missing.bmp", "out.epa"}, "out.epa"},
        {{"epa2bmp", "good.bmp", "out.bmp"}, "out.bmp"},
        {{"render", "bad.bmp", "out.png"}, "out.png"},
    };
    for (const Case& c : cases) {
        WriteBytes(dir.file(c.output), OldBytes);
        const CliRun result = run(c.arguments);
        EXPECT_EQ(result.exitCode, 1) << c.arguments.join(' ').toStdString();
        EXPECT_EQ(ReadBytes(dir.file(c.output)), OldBytes) << c.output;
    }
}

TEST_F(Safety, WriteThatFailsHalfWayKeepsTheOldFileAndLeavesNoTemporaryFile) {
    TestBitmap(2, 126).save(dir.file("in.bmp"));
    fs::create_directory(dir.file("out"));
    WriteBytes(dir.file("out/in.epa"), OldBytes);
    // Files may not grow past 1000 bytes: the 2367-byte logo cannot be written.
    const CliRun result = RunCli({"bmp2epa", "--output-dir", "out", "in.bmp"}, dir.path(), 1000);
    EXPECT_EQ(result.exitCode, 1);
    EXPECT_EQ(result.err,
              "kalvero-cli: out/in.epa: not written: file too large for this disk or user limit\n");
    EXPECT_EQ(ReadBytes(dir.file("out/in.epa")), OldBytes);
    EXPECT_EQ(FolderEntries(dir.file("out")), std::vector<std::string>{"in.epa"});
}

TEST_F(Safety, OutputThatCannotBeWrittenIsReportedAndNothingIsMade) {
    TestBitmap(2, 84).save(dir.file("in.bmp"));
    fs::create_directory(dir.file("folder.epa"));
    struct Case {
        QString output;
        std::string err;
    };
    const Case cases[] = {
        {"missing/out.epa", "kalvero-cli: missing/out.epa: not written: folder not found\n"},
        {"folder.epa", "kalvero-cli: folder.epa: not written: is a folder\n"},
    };
    for (const Case& c : cases) {
        const CliRun result = run({"bmp2epa", "in.bmp", c.output});
        EXPECT_EQ(result.exitCode, 1);
        EXPECT_EQ(result.err, c.err);
    }
    EXPECT_EQ(dir.entries(), (std::vector<std::string>{"folder.epa", "in.bmp"}));
    EXPECT_TRUE(FolderEntries(dir.file("folder.epa")).empty());
}

TEST_F(Safety, InputMayBeItsOwnOutput) {
    struct Case {
        QString command;
        std::vector<std::uint8_t> input;
        std::size_t outputLength; // 0: a PNG
    };
    const Case cases[] = {
        {"bmp2epa", TestBitmap(2, 126).bytes(), 2367},
        {"bmp2epa", TestBitmap(16, 84).bytes(), 5772},
        {"epa2bmp", TestLogo(false).bytes(), 1742},
        {"render", TestLogo(true).bytes(), 0},
    };
    for (const Case& c : cases) {
        WriteBytes(dir.file("same"), c.input);
        const CliRun result = run({c.command, "same", "same"});
        EXPECT_EQ(result.exitCode, 0) << result.err;
        if (c.outputLength == 0) {
            EXPECT_EQ(LoadPng(dir.file("same")).width(), 136);
        } else {
            EXPECT_EQ(ReadBytes(dir.file("same")).size(), c.outputLength);
        }
        EXPECT_EQ(dir.entries(), std::vector<std::string>{"same"});
    }
}

} // namespace
} // namespace kalvero::test
