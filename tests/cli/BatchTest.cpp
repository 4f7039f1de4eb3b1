#include "cli/CliRunner.h"
#include "cli/CliTestFiles.h"

namespace kalvero::test {
namespace fs = std::filesystem;
namespace {

using Batch = CliTest;

TEST_F(Batch, OneBadInputDoesNotStopTheOthers) {
    fs::create_directory(dir.file("out"));
    WriteBytes(dir.file("first.bmp"), TestBitmap(2, 84).bytes());
    WriteBytes(dir.file("bad.bmp"), std::vector<std::uint8_t>(1000, 0));
    WriteBytes(dir.file("last.bmp"), TestBitmap(16, 126).bytes());
    const CliRun result =
        run({"bmp2epa", "--output-dir", "out", "first.bmp", "missing.bmp", "bad.bmp", "last.bmp"});
    EXPECT_EQ(result.exitCode, 1);
    EXPECT_TRUE(result.err.starts_with("kalvero-cli: missing.bmp: file not found\n"
                                       "kalvero-cli: bad.bmp: Wrong Filesize - 1000 bytes\n"))
        << result.err;
    EXPECT_EQ(ReadBytes(dir.file("out/first.epa")).size(), 1602U);
    EXPECT_EQ(ReadBytes(dir.file("out/last.epa")).size(), 8628U);
    EXPECT_EQ(FolderEntries(dir.file("out")), (std::vector<std::string>{"first.epa", "last.epa"}));
}

TEST_F(Batch, EachCommandNamesItsOutputsAfterTheInputs) {
    WriteBytes(dir.file("my.logo.bmp"), TestBitmap(2, 126).bytes());
    WriteBytes(dir.file("plain"), TestBitmap(2, 84).bytes());
    WriteBytes(dir.file("boot.epa"), TestLogo(false).bytes());
    QImage picture(4, 4, QImage::Format_RGB32);
    picture.fill(Qt::white);
    ASSERT_TRUE(picture.save(QString::fromStdString(dir.file("pic.png").string())));
    const std::pair<QStringList, std::vector<std::string>> cases[] = {
        {{"bmp2epa", "--output-dir", "out", "my.logo.bmp", "plain"}, {"my.logo.epa", "plain.epa"}},
        {{"epa2bmp", "--output-dir=out", "boot.epa"}, {"boot.bmp"}},
        {{"render", "boot.epa", "my.logo.bmp", "--output-dir", "out/"},
         {"boot.png", "my.logo.png"}},
        {{"import", "--output-dir", "out", "pic.png"}, {"pic.epa"}},
        {{"import", "--mono", "--output-dir", "out", "pic.png"}, {"pic.bmp"}},
    };
    for (const auto& [arguments, made] : cases) {
        fs::remove_all(dir.file("out"));
        fs::create_directory(dir.file("out"));
        EXPECT_EQ(run(arguments), Succeeded());
        EXPECT_EQ(FolderEntries(dir.file("out")), made) << arguments.join(' ').toStdString();
    }
}

TEST_F(Batch, SecondInputOfTheSameNameIsNotConvertedOverTheFirst) {
    for (const char* folder : {"a", "b", "out"}) {
        fs::create_directory(dir.file(folder));
    }
    WriteBytes(dir.file("a/logo.bmp"), TestBitmap(2, 84).bytes());
    WriteBytes(dir.file("b/logo.bmp"), TestBitmap(2, 126).bytes());
    EXPECT_EQ(run({"bmp2epa", "--output-dir", "out", "a/logo.bmp", "b/logo.bmp"}),
              Failed("b/logo.bmp: not converted: an earlier input has the same output name"));
    EXPECT_EQ(ReadBytes(dir.file("out/logo.epa")).size(), 1602U);
}

} // namespace
} // namespace kalvero::test
