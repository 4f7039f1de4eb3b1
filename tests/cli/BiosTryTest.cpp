// The real Award images named by KALVERO_BIOS_SAMPLES booted in QEMU: their
// own BIOS code draws their logo, a new one, or none when its module is
// damaged.
#include "bios/ImageParser.h"
#include "bios/SyntheticImage.h"
#include "cli/CliTest.h"
#include "conversion/Epa2Image.h"
#include "conversion/LogoOnScreen.h"

#include <chrono>
#include <csignal>
#include <cstdlib>
#include <cstring>
#include <thread>

namespace kalvero::test {
namespace {
namespace fs = std::filesystem;

// QEMU's private folders go to tmp, which must be empty after each run, and
// no process may still work in one of them.
class CliBiosTry : public CliTest {
protected:
    void SetUp() override {
        if (CliProcess::UnderWine()) {
            GTEST_SKIP() << "QEMU runs on Linux";
        }
        fs::create_directory(dir.file("tmp"));
        setenv("TMPDIR", dir.file("tmp").c_str(), 1);
    }
    void TearDown() override { unsetenv("TMPDIR"); }
    void expectNothingLeft() const {
        EXPECT_TRUE(fs::is_empty(dir.file("tmp")));
        const std::string folder = dir.file("tmp").string();
        for (const auto& process : fs::directory_iterator("/proc")) {
            std::error_code unreadable;
            const fs::path cwd = fs::read_symlink(process.path() / "cwd", unreadable);
            EXPECT_FALSE(cwd.string().starts_with(folder)) << "still running: " << process.path();
        }
    }
};

// A short version-1 logo of stripes that differ from cell to cell, in the
// bright colours.
Bytes StripedLogo() {
    Bytes bytes(1602, 0);
    bytes[0] = 17;
    bytes[1] = 6;
    for (std::size_t cell = 0; cell < 102; ++cell) {
        bytes[2 + cell] = static_cast<std::uint8_t>(9 + cell % 7);
        for (std::size_t line = 0; line < 14; ++line) {
            bytes[104 + cell * 14 + line] = static_cast<std::uint8_t>(0x81 << (line + cell) % 7);
        }
    }
    return bytes;
}

// A tall EPA 2.0 image of 16 colours: bands of entries 1 to 15 on black.
Bytes BandedEpa2() {
    Epa2Picture picture{136, 126, 4, Bytes(136 * 126), Bytes(48, 0)};
    for (std::size_t i = 0; i < picture.indices.size(); ++i) {
        picture.indices[i] = static_cast<std::uint8_t>((i % 136 + i / 136) / 9 % 16);
    }
    for (std::size_t entry = 1; entry < 16; ++entry) {
        picture.palette6[entry * 3 + entry % 3] = 63;
        picture.palette6[entry * 3 + (entry + 1) % 3] = static_cast<std::uint8_t>(entry * 4);
    }
    return WriteEpa2(picture);
}

// One bit of the logo module's packed data flipped, in its code tables: the
// module no longer unpacks to the logo. (A bit flipped halfway through left
// the logo the kn97 board draws as it was: that BIOS does not check the
// module's CRC.)
Bytes DamagedLogo(Bytes image) {
    const FileResult<bios::AwardImage> parsed = bios::ParseAwardImage(image);
    for (const bios::Module& module : parsed.value().modules) {
        if (module.header.type == 0x4002) {
            image[module.offset + module.header.dataOffset() + 4] ^= 0x10;
        }
    }
    return image;
}

// Whether the logo is on the screen kept with --screenshot.
bool OnScreen(const fs::path& png, const Bytes& logo) {
    const QImage image =
        QImage(QString::fromStdString(png.string())).convertToFormat(QImage::Format_RGB888);
    RgbImage screen{image.width(), image.height(),
                    std::vector<Rgb>(static_cast<std::size_t>(image.width() * image.height()))};
    for (int y = 0; y < image.height(); ++y) {
        std::memcpy(&screen.pixels[static_cast<std::size_t>(y * image.width())],
                    image.constScanLine(y), static_cast<std::size_t>(image.width()) * 3);
    }
    return FindLogoOnScreen(screen, ClassifyFile(logo.size(), {logo.data(), 8}), logo).has_value();
}

TEST_F(CliBiosTry, RealBoardsDrawTheirOwnLogoAndTheNewOneButNotADamagedOne) {
    const char* folder = std::getenv("KALVERO_BIOS_SAMPLES");
    if (folder == nullptr || *folder == '\0') {
        GTEST_SKIP() << "needs KALVERO_BIOS_SAMPLES";
    }
    const std::pair<const char*, Bytes> boards[] = {
        {"430vx_55XWUQ0E.BIN", StripedLogo()},
        {"kn97_0116I.001", StripedLogo()},
        {"fmb_P5I437FM.BIN", BandedEpa2()},
    };
    for (const auto& [file, logo] : boards) {
        SCOPED_TRACE(file);
        write("board.bin", ReadBytes(fs::path(folder) / file));
        write("new.epa", logo);
        const CliRun original = run({"bios", "try", "board.bin"});
        EXPECT_EQ(original.exitCode, 0) << original.out << original.err;
        EXPECT_TRUE(original.out.starts_with("board.bin: the BIOS drew the logo after "));
        const CliRun replaced = run({"bios", "replace", "board.bin", "new.epa", "new.bin"});
        EXPECT_EQ(replaced, Succeeded("new.bin: written\n  see it drawn by this board's BIOS: "
                                      "kalvero-cli bios try new.bin\n"));
        const CliRun tried = run({"bios", "try", "--screenshot", "screen.png", "new.bin"});
        EXPECT_EQ(tried.exitCode, 0) << tried.out << tried.err;
        EXPECT_TRUE(OnScreen(dir.file("screen.png"), logo));
        write("damaged.bin", DamagedLogo(read("new.bin")));
        const CliRun damaged =
            run({"bios", "try", "--timeout", "4", "--screenshot", "damaged.png", "damaged.bin"});
        EXPECT_FALSE(OnScreen(dir.file("damaged.png"), logo));
        EXPECT_EQ(damaged.exitCode, 3);
        EXPECT_TRUE(damaged.out.starts_with("damaged.bin: the BIOS did NOT draw a logo Kalvero can "
                                            "look for: the logo module at 0x"))
            << damaged.out;
        expectNothingLeft();
    }
}

// Stopped by a signal while QEMU runs, or without QEMU: the exit status says
// which, and nothing stays behind.
TEST_F(CliBiosTry, NothingOutlivesTheCommand) {
    write("board.bin", Build(LayoutA()).bytes);
    for (const auto& [signal, exitCode] : {std::pair{SIGINT, 130}, std::pair{SIGTERM, 143}}) {
        CliProcess tried(dir.path(), {"bios", "try", "--timeout", "60", "board.bin"});
        const auto deadline = std::chrono::steady_clock::now() + std::chrono::seconds(30);
        while (fs::is_empty(dir.file("tmp")) && std::chrono::steady_clock::now() < deadline) {
            std::this_thread::sleep_for(std::chrono::milliseconds(20));
        }
        std::this_thread::sleep_for(std::chrono::milliseconds(300)); // QEMU runs
        ASSERT_EQ(::kill(tried.id(), signal), 0);
        EXPECT_EQ(tried.finish().exitCode, exitCode);
        expectNothingLeft();
    }
    const std::string path = std::getenv("PATH");
    setenv("PATH", "", 1);
    const CliRun missing = run({"bios", "try", "board.bin"});
    setenv("PATH", path.c_str(), 1);
    EXPECT_EQ(missing, (CliRun{4, "",
                               "kalvero-cli: board.bin: QEMU could not be used: QEMU is not "
                               "installed: install the Debian package qemu-system-x86 (apt "
                               "install qemu-system-x86)\n"}));
    expectNothingLeft();
}

} // namespace
} // namespace kalvero::test
