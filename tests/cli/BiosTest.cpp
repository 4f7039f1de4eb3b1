#include "bios/SyntheticImage.h"
#include "cli/CliTest.h"

namespace kalvero::test {
namespace {
namespace fs = std::filesystem;

using CliBios = CliTest;

Bytes LogoIn(const TestImage& image) {
    for (const TestChain& chain : image.chains) {
        for (const TestModule& module : chain.modules) {
            if (module.type == 0x4002) {
                return module.data;
            }
        }
    }
    return {};
}

struct Layout {
    TestImage image;
    Bytes newLogo;
    std::string description; // what info and the first line of list say
};

std::vector<Layout> Layouts() {
    return {
        {LayoutA(), EpaLogo(false, 5),
         "128 KiB, layout A (system module first), logo: EPA version 1, short logo, 136 x 84"},
        {LayoutB(true), Epa2Logo(false, 7),
         "256 KiB, layout B (split, system module at 0x20000), logo: EPA 2.0, 4-bit (16 "
         "colours), 136 x 84"},
        {LayoutC(), EpaLogo(true, 9),
         "128 KiB, layout C (system module below 64 KiB, the others from 0x10000), logo: EPA "
         "version 1, tall logo, 136 x 126"},
    };
}

// Each command on an image of each layout, and on the image it makes.
TEST_F(CliBios, EachCommandOnEachLayout) {
    for (const Layout& layout : Layouts()) {
        SCOPED_TRACE(layout.description);
        const Bytes image = Build(layout.image).bytes;
        write("board.bin", image);
        write("new.epa", layout.newLogo);
        const std::string award = "Award BIOS image, " + layout.description;
        EXPECT_EQ(run({"info", "board.bin"}), Succeeded("board.bin: " + award + "\n"));

        const CliRun list = run({"bios", "list", "board.bin"});
        EXPECT_EQ(list.exitCode, 0);
        const std::size_t logoAt = award.find(", logo: ");
        EXPECT_TRUE(
            list.out.starts_with("board.bin: " + award.substr(0, logoAt) + "\n  boot block at 0x"))
            << list.out;
        EXPECT_TRUE(list.out.ends_with("\n  logo: " + award.substr(logoAt + 8) + "\n")) << list.out;
        EXPECT_NE(list.out.find("(logo)\n"), std::string::npos) << list.out;

        const CliRun verify = run({"bios", "verify", "board.bin"});
        EXPECT_EQ(verify.exitCode, 0) << verify.out;
        EXPECT_TRUE(verify.out.starts_with("board.bin: verified\n  header sums: holds"))
            << verify.out;

        EXPECT_EQ(run({"bios", "extract", "board.bin", "old.epa"}), Succeeded());
        EXPECT_EQ(read("old.epa"), LogoIn(layout.image));

        const CliRun dryRun =
            run({"bios", "replace", "--dry-run", "board.bin", "new.epa", "new.bin"});
        EXPECT_EQ(dryRun.exitCode, 0) << dryRun.err;
        EXPECT_TRUE(dryRun.out.starts_with(
            "board.bin: would take the new logo; nothing was written\n  logo module at 0x"))
            << dryRun.out;
        EXPECT_FALSE(fs::exists(dir.file("new.bin")));

        EXPECT_EQ(run({"bios", "replace", "board.bin", "new.epa", "new.bin"}), Succeeded());
        EXPECT_EQ(read("board.bin"), image);
        EXPECT_EQ(read("new.bin").size(), image.size());
        EXPECT_EQ(run({"bios", "verify", "new.bin"}).exitCode, 0);
        EXPECT_EQ(run({"bios", "extract", "new.bin", "back.epa"}), Succeeded());
        EXPECT_EQ(read("back.epa"), layout.newLogo);
        EXPECT_EQ(dir.entries(), (std::vector<std::string>{"back.epa", "board.bin", "new.bin",
                                                           "new.epa", "old.epa"}));
        for (const std::string& name : dir.entries()) {
            fs::remove(dir.file(name));
        }
    }
}

// - reads the image or the logo from standard input and writes the output to
// standard output.
TEST_F(CliBios, DashIsStandardInputAndOutput) {
    const Bytes image = Build(LayoutA()).bytes;
    const Bytes logo = EpaLogo(false, 5);
    write("a.bin", image);
    write("new.epa", logo);
    ASSERT_EQ(run({"bios", "replace", "a.bin", "new.epa", "b.bin"}), Succeeded());
    const Bytes replaced = read("b.bin");
    const auto text = [](const Bytes& bytes) {
        return std::string(bytes.begin(), bytes.end());
    };
    const std::tuple<Arguments, Bytes, std::string> cases[] = {
        {{"bios", "extract", "-", "-"}, image, text(LogoIn(LayoutA()))},
        {{"bios", "replace", "-", "new.epa", "-"}, image, text(replaced)},
        {{"bios", "replace", "a.bin", "-", "-"}, logo, text(replaced)},
        {{"bios", "verify", "-"}, image, "-: verified\n"},
    };
    for (const auto& [arguments, input, start] : cases) {
        const CliRun result = run(arguments, WithInput(input));
        EXPECT_EQ(result.exitCode, 0) << Joined(arguments) << result.err;
        EXPECT_TRUE(result.out.starts_with(start)) << Joined(arguments);
        if (arguments[1] != "verify") {
            EXPECT_EQ(result.out, start) << Joined(arguments);
        }
    }
    EXPECT_EQ(run({"bios", "replace", "a.bin", "-", "c.bin"}, WithInput(logo)), Succeeded());
    EXPECT_EQ(read("c.bin"), replaced);
    EXPECT_EQ(run({"info", "-"}, WithInput(image)),
              Succeeded("-: Award BIOS image, 128 KiB, layout A (system module first), logo: EPA "
                        "version 1, short logo, 136 x 84\n"));
}

// One line on standard error naming the file at fault, exit status 1, and
// every file as it was.
TEST_F(CliBios, RefusalsNameTheFileAndLeaveEveryFileAsItWas) {
    const auto image = [](auto change) {
        TestImage recipe = LayoutA();
        change(recipe);
        return Build(recipe).bytes;
    };
    write("a.bin", Build(LayoutA()).bytes);
    write("nologo.bin", image([](TestImage& s) { s.chains[0].modules[1].type = 0x4100; }));
    write("two.bin", image([](TestImage& s) { s.chains[0].modules[3].type = 0x4002; }));
    write("crc.bin", image([](TestImage& s) { s.chains[0].modules[1].badCrc = true; }));
    write("c2.bin", image([](TestImage& s) { s.c2 = false; }));
    write("stored.bin", image([](TestImage& s) { s.chains[0].modules[1].stored = true; }));
    write("tall.epa", EpaLogo(true, 1));
    write("short.epa", EpaLogo(false, 1));
    write("odd.epa", Bytes(1000));
    write("mono.bmp", Bitmap(2, 84));
    write("out.bin", OldBytes);
    const std::vector<std::string> files = dir.entries();
    std::vector<Bytes> before;
    for (const std::string& name : files) {
        before.push_back(read(name));
    }

    const std::tuple<Arguments, std::string> cases[] = {
        {{"replace", "a.bin", "short.epa", "short.epa"},
         "short.epa: not written: same file as the input short.epa: name a new file for the new "
         "image, and keep the old image to flash back"},
        {{"replace", "a.bin", "odd.epa", "out.bin"},
         "odd.epa: the new logo is not an EPA logo: wrong size: 1000 bytes (neither an EPA file "
         "nor one of the four accepted bitmaps). Make one with kalvero-cli import or bmp2epa."},
        {{"replace", "a.bin", "a.bin", "out.bin"},
         "a.bin: the new logo is not an EPA logo: wrong size: 131072 bytes"},
        {{"replace", "a.bin", "mono.bmp", "out.bin"},
         "mono.bmp: the new logo is not an EPA logo: it is a bitmap. Make one with kalvero-cli "
         "import or bmp2epa."},
        {{"replace", "a.bin", "tall.epa", "out.bin"},
         "a.bin: the new logo is EPA version 1, tall logo, 136 x 126, but the image's logo is EPA "
         "version 1, short logo, 136 x 84: a BIOS shows only the kind and size it was built for."},
        {{"replace", "short.epa", "short.epa", "out.bin"},
         "short.epa: not an Award BIOS image Kalvero knows: 1602 bytes"},
        {{"replace", "c2.bin", "short.epa", "out.bin"},
         "c2.bin: not an Award BIOS image Kalvero understands: the check \"C2\" fails"},
        {{"replace", "stored.bin", "short.epa", "out.bin"},
         "stored.bin: the logo module is stored (\"-lh0-\")"},
        {{"extract", "nologo.bin", "out.bin"},
         "nologo.bin: the image has no logo module (type 0x4002): this BIOS shows no EPA logo "
         "that Kalvero could take out or replace."},
        {{"extract", "two.bin", "out.bin"}, "two.bin: the image has 2 logo modules"},
        {{"extract", "crc.bin", "out.bin"},
         "crc.bin: the logo module unpacks to data with the CRC"},
        {{"replace", "--dry-run", "crc.bin", "short.epa", "out.bin"},
         "crc.bin: the image is damaged: the check \"CRCs\" fails"},
        {{"replace", "a.bin", "short.epa", "folder/out.bin"},
         "folder/out.bin: not written: folder not found"},
    };
    for (const auto& [arguments, message] : cases) {
        Arguments line{"bios"};
        line.insert(line.end(), arguments.begin(), arguments.end());
        const CliRun refused = run(line);
        EXPECT_EQ(refused.exitCode, 1) << Joined(line);
        EXPECT_TRUE(refused.err.starts_with("kalvero-cli: " + message)) << refused.err;
        EXPECT_EQ(std::count(refused.err.begin(), refused.err.end(), '\n'), 1) << refused.err;
        EXPECT_EQ(refused.out, "");
    }
    EXPECT_EQ(dir.entries(), files);
    for (std::size_t i = 0; i < files.size(); ++i) {
        EXPECT_EQ(read(files[i]), before[i]) << files[i];
    }
}

// list and verify go on past an image they cannot read; verify says which
// check fails.
TEST_F(CliBios, ListAndVerifyTellEachImage) {
    TestImage broken = LayoutA();
    broken.c1 = C1Mode::Wrong;
    write("a.bin", Build(LayoutA()).bytes);
    write("broken.bin", Build(broken).bytes);
    const CliRun list = run({"bios", "list", "missing.bin", "a.bin"});
    EXPECT_EQ(list.exitCode, 1);
    EXPECT_TRUE(list.out.starts_with("a.bin: Award BIOS image")) << list.out;
    EXPECT_EQ(list.err, "kalvero-cli: missing.bin: file not found\n");

    const CliRun verify = run({"bios", "verify", "broken.bin", "a.bin"});
    EXPECT_EQ(verify.exitCode, 1);
    EXPECT_TRUE(verify.out.starts_with("broken.bin: NOT verified\n")) << verify.out;
    EXPECT_NE(verify.out.find("\n  C1: FAILS: "), std::string::npos) << verify.out;
    EXPECT_NE(verify.out.find("\na.bin: verified\n"), std::string::npos) << verify.out;
    EXPECT_EQ(verify.err, "");
}

} // namespace
} // namespace kalvero::test
