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
    const std::tuple<std::string, std::vector<std::uint8_t>, std::string> cases[] = {
        {"short.epa", TestLogo(false).bytes(), "EPA version 1, short logo, 136 x 84"},
        {"tall.epa", TestLogo(true).bytes(), "EPA version 1, tall logo, 136 x 126"},
        {"v2.epa", WithHeader(8628, 136, 126), "EPA 2.0, 4-bit (16 colours), 136 x 126"},
        {"colours.epa", Epa2Image256(320, 200), "EPA 2.0, 8-bit (256 colours), 320 x 200"},
        {"mono.bmp", TestBitmap(2, 84).bytes(), "bitmap, 2 colours, 136 x 84"},
        {"colour.bmp", TestBitmap(16, 126).bytes(), "bitmap, 16 colours, 136 x 126"},
        // The size decides, whatever the content.
        {"text.bmp", std::vector<std::uint8_t>(2367, 'x'), "EPA version 1, tall logo, 136 x 126"},
        {"plain.epa", std::vector<std::uint8_t>(8628),
         "not accepted: not an EPA 2.0 image (no AWBM signature)"},
        {"cut.epa", WithHeader(1000, 136, 84),
         "not accepted: EPA 2.0 image of 136 x 84 pixels with a length of 1000 bytes that fits "
         "neither 16 nor 256 colours"},
        {"nothing.epa", WithHeader(60, 0, 84), "not accepted: EPA 2.0 image of no size"},
    };
    QStringList all{"info", "missing.epa"};
    std::string expected;
    for (const auto& [name, bytes, description] : cases) {
        WriteBytes(dir.file(name), bytes);
        EXPECT_EQ(run({"info", QString::fromStdString(name)}),
                  (CliRun{description.starts_with("not accepted") ? 1 : 0,
                          name + ": " + description + "\n", ""}));
        all << QString::fromStdString(name);
        expected += name + ": " + description + "\n";
    }
    // Files that cannot be read go to standard error; the others are still told.
    EXPECT_EQ(run(all), (CliRun{1, expected, "kalvero-cli: missing.epa: file not found\n"}));
}

} // namespace
} // namespace kalvero::test
