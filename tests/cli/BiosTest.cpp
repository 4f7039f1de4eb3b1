#include "bios/SyntheticImage.h"
#include "cli/CliTest.h"

#include <algorithm>

namespace kalvero::test {
namespace {
namespace fs = std::filesystem;

using CliBios = CliTest;

// Layout B with full-screen logos behind its boot logo.
Bytes Board(const std::vector<unsigned>& screens) {
    TestImage recipe = LayoutB(false);
    for (const unsigned seed : screens) {
        recipe.chains[0].modules.push_back(FullScreenModule(Epa2Logo(64, 48, seed)));
    }
    return Build(recipe).bytes;
}

// Each command and option, on images it takes and on images it refuses or
// cannot read: the exit status and how standard output and error begin. No
// file but the outputs named changes.
TEST_F(CliBios, EachCommandTellsWhatItDidOrWhyNot) {
    BuiltImage unwalkable = Build(LayoutA());
    unwalkable.bytes[unwalkable.moduleOffsets[2] - 1] = 7;
    write("board.bin", Board({1}));
    write("two.bin", Board({1, 2}));
    write("unwalkable.bin", unwalkable.bytes);
    TestImage broken = LayoutA();
    broken.c1 = C1Mode::Wrong;
    write("broken.bin", Build(broken).bytes);
    write("new.epa", Epa2Logo(136, 84, 7));
    write("screen.epa", Epa2Logo(64, 48, 3));
    write("odd.epa", Bytes(1000));
    write("huge.epa", Bytes(0x100001));
    write("zeros.bin", Bytes(0x20000));
    write("cut.bin", Bytes(unwalkable.bytes.begin(), unwalkable.bytes.begin() + 0x1000));
    QImage picture(40, 30, QImage::Format_RGB32);
    picture.fill(Qt::darkCyan);
    ASSERT_TRUE(picture.save(QString::fromStdString(dir.file("picture.png").string())));
    // The command line, the exit status, how standard output and then error begin.
    const std::tuple<Arguments, int, std::string> cases[] = {
        {{"info", "board.bin"},
         0,
         "board.bin: Award BIOS image, 256 KiB, layout B (split, system module at 0x20000), logo: "
         "EPA 2.0, 4-bit (16 colours), 136 x 84 ("},
        {{"info", "unwalkable.bin"},
         1,
         "unwalkable.bin: not accepted: the module chain at 0x0 cannot be walked: after the "
         "module at 0x"},
        {{"info", "zeros.bin"}, 1, "zeros.bin: not accepted: not an Award BIOS image: no boot"},
        {{"info", "cut.bin"}, 1, "cut.bin: not accepted: an Award BIOS image cut short: 4096 "},
        {{"bios", "list", "missing.bin", "board.bin"}, 1, "board.bin: Award BIOS image"},
        {{"bios", "verify", "broken.bin"},
         1,
         "broken.bin: NOT verified\n  header sums: hold\n  CRCs: hold\n  C1: FAILS: "},
        {{"bios", "replace", "board.bin", "new.epa", "new.epa"},
         1,
         "kalvero-cli: new.epa: not written: same file as the input new.epa: name a new file for "
         "the new image, and keep the old image to flash back\n"},
        {{"bios", "replace", "--dry-run", "board.bin", "new.epa", "new.bin"},
         0,
         "board.bin: would take the new logo; nothing was written\n  logo module at 0x"},
        {{"bios", "replace", "board.bin", "new.epa", "new.bin"}, 0, ""},
        {{"bios", "replace", "--full-screen", "new.bin", "screen.epa", "both.bin"}, 0, ""},
        {{"bios", "replace", "--full-screen", "two.bin", "screen.epa", "two-new.bin"},
         0,
         "kalvero-cli: two.bin: warning: the image has 2 full-screen logo modules, at 0x"},
        {{"bios", "replace", "board.bin", "odd.epa", "out.bin"},
         1,
         "kalvero-cli: odd.epa: the new logo is neither an EPA logo (wrong size: 1000 bytes "
         "(neither an EPA file nor one of the four accepted bitmaps)) nor a picture Kalvero "
         "reads ("},
        {{"bios", "replace", "--full-screen", "board.bin", "picture.png", "out.bin"},
         1,
         "kalvero-cli: board.bin: the image's logo is EPA 2.0, 4-bit (16 colours), 64 x 48, which "
         "Kalvero does not make of a picture"},
        {{"bios", "replace", "--fill", "board.bin", "picture.png", "picture.bin"}, 0, ""},
        {{"render", "--boot-screen", "--full-screen", "board.bin", "screen.png"}, 0, ""},
        {{"render", "--full-screen", "new.epa", "screen.png"},
         1,
         "kalvero-cli: new.epa: --full-screen draws a BIOS image's full-screen logo, and this is "
         "no BIOS image"},
        {{"import", "--room", "9", "--no-shrink", "picture.png", "small.epa"},
         1,
         "kalvero-cli: picture.png: the picture made into the logo packs to "},
    };
    // The Windows build has no picture module to read picture.png with.
    const bool pictures = !CliProcess::UnderWine();
    for (const auto& [arguments, exitCode, said] : cases) {
        if (!pictures && std::ranges::count(arguments, std::string("picture.png")) > 0) {
            continue;
        }
        const CliRun result = run(arguments);
        EXPECT_EQ(result.exitCode, exitCode) << Joined(arguments) << result.err;
        EXPECT_TRUE((result.out + result.err).starts_with(said)) << result.out << result.err;
    }
    EXPECT_EQ(read("board.bin"), Board({1}));
    EXPECT_FALSE(fs::exists(dir.file("out.bin")));
    const CliRun screen =
        run({"bios", "extract", "--full-screen", "-", "-"}, WithInput(read("both.bin")));
    EXPECT_EQ(Bytes(screen.out.begin(), screen.out.end()), read("screen.epa"));
    EXPECT_EQ(run({"bios", "extract", "both.bin", "back.epa"}), Succeeded());
    EXPECT_EQ(read("back.epa"), read("new.epa"));
    // The picture became the image's kind of logo.
    if (!pictures) {
        return;
    }
    EXPECT_EQ(run({"bios", "extract", "picture.bin", "picture.epa"}), Succeeded());
    EXPECT_EQ(run({"info", "picture.epa"}),
              Succeeded("picture.epa: EPA 2.0, 4-bit (16 colours), 136 x 84\n"));
}

} // namespace
} // namespace kalvero::test
