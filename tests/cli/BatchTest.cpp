#include "cli/CliRunner.h"
#include "cli/CliTestFiles.h"

namespace kalvero::test {
namespace fs = std::filesystem;
namespace {

using Batch = CliTest;

TEST_F(Batch, OneBadInputDoesNotStopTheOthers) {
    fs::create_directory(dir.file("out"));
    TestBitmap(2, 84).save(dir.file("first.bmp"));
    WriteBytes(dir.file("bad.bmp"), std::vector<std::uint8_t>(1000, 0));
    TestBitmap(16, 126).save(dir.file("last.bmp"));
    const CliRun result =
        run({"bmp2epa", "--output-dir", "out", "first.bmp", "missing.bmp", "bad.bmp", "last.bmp"});
    EXPECT_EQ(result.exitCode, 1);
    EXPECT_EQ(result.err.rfind("kalvero-cli: missing.bmp: file not found\n"
                               "kalvero-cli: bad.bmp: Wrong Filesize - 1000 bytes\n",
                               0),
              0U)
        << result.err;
    EXPECT_EQ(ReadBytes(dir.file("out/first.epa")).size(), 1602U);
    EXPECT_EQ(ReadBytes(dir.file("out/last.epa")).size(), 8628U);
    EXPECT_EQ(FolderEntries(dir.file("out")), (std::vector<std::string>{"first.epa", "last.epa"}));
}

TEST_F(Batch, EachCommandNamesItsOutputsAfterTheInputs) {
    fs::create_directory(dir.file("out"));
    TestBitmap(2, 126).save(dir.file("my.logo.bmp"));
    TestBitmap(2, 84).save(dir.file("plain"));
    TestLogo(false).save(dir.file("boot.epa"));
    struct Case {
        QStringList arguments;
        std::vector<std::string> made;
    };
    const Case cases[] = {
        {{"bmp2epa", "--output-dir", "out", "my.logo.bmp", "plain"}, {"my.logo.epa", "plain.epa"}},
        {{"epa2bmp", "--output-dir=out", "boot.epa"}, {"boot.bmp"}},
        {{"render", "boot.epa", "my.logo.bmp", "--output-dir", "out/"},
         {"boot.png", "my.logo.png"}},
    };
    for (const Case& c : cases) {
        fs::remove_all(dir.file("out"));
        fs::create_directory(dir.file("out"));
        const CliRun result = run(c.arguments);
        EXPECT_EQ(result.exitCode, 0) << result.err;
        EXPECT_EQ(FolderEntries(dir.file("out")), c.made);
    }
}

TEST_F(Batch, SecondInputOfTheSameNameIsNotConvertedOverTheFirst) {
    for (const char* folder : {"a", "b", "out"}) {
        fs::create_directory(dir.file(folder));
    }
    TestBitmap(2, 84).save(dir.file("a/logo.bmp"));
    TestBitmap(2, 126).save(dir.file("b/logo.bmp"));
    const CliRun result = run({"bmp2epa", "--output-dir", "out", "a/logo.bmp", "b/logo.bmp"});
    EXPECT_EQ(result.exitCode, 1);
    EXPECT_EQ(
        result.err,
        "kalvero-cli: b/logo.bmp: not converted: an earlier input has the same output name\n");
    EXPECT_EQ(ReadBytes(dir.file("out/logo.epa")).size(), 1602U);
}

TEST_F(Batch, MissingOutputFolderStopsBeforeAnyInput) {
    TestBitmap(2, 84).save(dir.file("in.bmp"));
    const CliRun result = run({"bmp2epa", "--output-dir", "no such folder", "in.bmp"});
    EXPECT_EQ(result.exitCode, 1);
    EXPECT_EQ(result.err, "kalvero-cli: no such folder: folder not found\n");
    EXPECT_EQ(dir.entries(), std::vector<std::string>{"in.bmp"});
}

TEST_F(Batch, UnusualNamesWork) {
    const std::string names[] = {"my logo.bmp", "Grün Öl ß.bmp", "-dash.bmp", "--help.bmp"};
    fs::create_directory(dir.file("out"));
    QStringList batch{"bmp2epa", "--output-dir", "out", "--"};
    for (const std::string& name : names) {
        TestBitmap(2, 84).save(dir.file(name));
        const QString input = QString::fromStdString(name);
        const QString output = QString::fromStdString(name.substr(0, name.size() - 4) + ".epa");
        const CliRun single = run({"bmp2epa", "--", input, output});
        EXPECT_EQ(single.exitCode, 0) << name << single.err;
        EXPECT_EQ(ReadBytes(dir.file(output.toStdString())).size(), 1602U) << name;
        batch << input;
    }
    const CliRun result = run(batch);
    EXPECT_EQ(result.exitCode, 0) << result.err;
    EXPECT_EQ(
        FolderEntries(dir.file("out")),
        (std::vector<std::string>{"--help.epa", "-dash.epa", "Grün Öl ß.epa", "my logo.epa"}));

    const CliRun info = run({"info", "--", "-dash.epa", "Grün Öl ß.epa"});
    EXPECT_EQ(info.out, "-dash.epa: EPA version 1, short logo, 136 x 84\n"
                        "Grün Öl ß.epa: EPA version 1, short logo, 136 x 84\n");
}

TEST_F(Batch, VeryLongPathsWork) {
    fs::path folder = dir.path();
    for (int level = 0; level < 8; ++level) {
        folder /= std::string(200, static_cast<char>('a' + level));
    }
    fs::create_directories(folder);
    const fs::path input = folder / (std::string(240, 'n') + ".bmp");
    const fs::path output = folder / (std::string(240, 'n') + ".epa");
    ASSERT_GT(output.string().size(), 1800U);
    TestBitmap(16, 84).save(input);
    const CliRun result = run({"bmp2epa", QString::fromStdString(input.string()),
                               QString::fromStdString(output.string())});
    EXPECT_EQ(result.exitCode, 0) << result.err;
    EXPECT_EQ(ReadBytes(output).size(), 5772U);
    const CliRun render = run({"render", "--output-dir", QString::fromStdString(folder.string()),
                               QString::fromStdString(output.string())});
    EXPECT_EQ(render.exitCode, 0) << render.err;
    EXPECT_TRUE(fs::exists(folder / (std::string(240, 'n') + ".png")));
}

} // namespace
} // namespace kalvero::test
