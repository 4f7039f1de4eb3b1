#include "cli/CliRunner.h"
#include "cli/CliTestFiles.h"

namespace kalvero::test {
namespace {

using Info = CliTest;

// An EPA 2.0 header in front of zero bytes, length in all.
std::vector<std::uint8_t> WithHeader(std::size_t length, int width, int height) {
    std::vector<std::uint8_t> bytes = Epa2Header(width, height);
    bytes.resize(length, 0);
    return bytes;
}

TEST_F(Info, OneLineForEachKindOfFile) {
    struct Case {
        std::string name;
        std::vector<std::uint8_t> bytes;
        std::string description;
        bool accepted;
    };
    const Case cases[] = {
        {"short.epa", TestLogo(false).bytes(), "EPA version 1, short logo, 136 x 84", true},
        {"tall.epa", TestLogo(true).bytes(), "EPA version 1, tall logo, 136 x 126", true},
        {"v2 short.epa", WithHeader(5772, 136, 84), "EPA 2.0, 4-bit (16 colours), 136 x 84", true},
        {"v2 tall.epa", WithHeader(8628, 136, 126), "EPA 2.0, 4-bit (16 colours), 136 x 126", true},
        // 8 + 4 planes of 2 bytes a row x 3 rows + 52
        {"odd.epa", WithHeader(84, 9, 3), "EPA 2.0, 4-bit (16 colours), 9 x 3", true},
        {"colours.epa", Epa2Image256(320, 200), "EPA 2.0, 8-bit (256 colours), 320 x 200", true},
        {"mono.bmp", TestBitmap(2, 84).bytes(), "bitmap, 2 colours, 136 x 84", true},
        {"mono tall.bmp", TestBitmap(2, 126).bytes(), "bitmap, 2 colours, 136 x 126", true},
        {"colour.bmp", TestBitmap(16, 84).bytes(), "bitmap, 16 colours, 136 x 84", true},
        {"Farbe groß.bmp", TestBitmap(16, 126).bytes(), "bitmap, 16 colours, 136 x 126", true},
        // The size decides, whatever the content.
        {"text.bmp", std::vector<std::uint8_t>(2367, 'x'), "EPA version 1, tall logo, 136 x 126",
         true},
        {"empty",
         {},
         "not accepted: wrong size: 0 bytes (neither an EPA file nor one of the four accepted "
         "bitmaps)",
         false},
        {"no signature.epa", std::vector<std::uint8_t>(8628),
         "not accepted: not an EPA 2.0 image (no AWBM signature)", false},
        {"cut.epa", WithHeader(1000, 136, 84),
         "not accepted: EPA 2.0 image of 136 x 84 pixels with a length of 1000 bytes that fits "
         "neither 16 nor 256 colours",
         false},
        {"nothing.epa", WithHeader(60, 0, 84), "not accepted: EPA 2.0 image of no size", false},
    };
    QStringList arguments{"info"};
    std::string expected;
    for (const Case& c : cases) {
        WriteBytes(dir.file(c.name), c.bytes);
        const CliRun single = run({"info", QString::fromStdString(c.name)});
        EXPECT_EQ(single.out, c.name + ": " + c.description + "\n");
        EXPECT_EQ(single.exitCode, c.accepted ? 0 : 1) << c.name;
        EXPECT_EQ(single.err, "");
        arguments << QString::fromStdString(c.name);
        expected += c.name + ": " + c.description + "\n";
    }
    const CliRun all = run(arguments);
    EXPECT_EQ(all.out, expected);
    EXPECT_EQ(all.exitCode, 1);
}

TEST_F(Info, UnreadableFilesAreReportedOnStandardError) {
    WriteBytes(dir.file("tall.epa"), TestLogo(true).bytes());
    std::filesystem::create_directory(dir.file("folder.epa"));
    const CliRun result = run({"info", "missing.epa", "tall.epa", "folder.epa"});
    EXPECT_EQ(result.exitCode, 1);
    EXPECT_EQ(result.out, "tall.epa: EPA version 1, tall logo, 136 x 126\n");
    EXPECT_EQ(result.err, "kalvero-cli: missing.epa: file not found\n"
                          "kalvero-cli: folder.epa: is a folder\n");
}

TEST_F(Info, HugeFileCostsNothing) {
    WriteBytes(dir.file("huge"), {});
    std::filesystem::resize_file(dir.file("huge"), 3ULL * 1024 * 1024 * 1024);
    const CliRun result = run({"info", "huge"});
    EXPECT_EQ(result.out, "huge: not accepted: wrong size: 3221225472 bytes (neither an EPA file "
                          "nor one of the four accepted bitmaps)\n");
}

} // namespace
} // namespace kalvero::test
