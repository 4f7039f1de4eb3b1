// Writes the synthetic images of the tests, one of each layout: the seeds of
// fuzz_award_image and the image of docs/cli.md's example. Usage:
// make_award_seeds FOLDER

#include "bios/SyntheticImage.h"

#include <cstdio>
#include <filesystem>
#include <fstream>

int main(int argc, char** argv) {
    if (argc != 2) {
        std::fprintf(stderr, "usage: make_award_seeds FOLDER\n");
        return 2;
    }
    using namespace kalvero::test;
    TestImage version600 = LayoutA();
    version600.chains[0].modules[0] = SystemModule(0x6000, true);
    version600.c1 = C1Mode::Missing;
    TestImage fullScreen = LayoutB(false); // two full-screen logos, 0xFF for the last 00
    fullScreen.chains[0].modules.push_back(FullScreenModule(Epa2Logo(64, 48, 1)));
    fullScreen.chains[0].modules.push_back(FullScreenModule(Epa2Logo(64, 48, 1)));
    fullScreen.chains[0].ffEnd = true;
    TestImage stray = LayoutA(); // bytes of their own right after the chain's end
    stray.otherBlocks.push_back({Build(stray).chainEnds[0] + 1, {0x2E, 0x00}});
    // Chains that could be read two ways: 0xFF for the 00 behind the logo,
    // for the system module's 00 before C1, and a module of type 0x5000 in
    // the middle of a chain; and a logo whose counts do not fit its length.
    TestImage ffBeforeModules = LayoutA();
    ffBeforeModules.chains[0].modules[1].ffAfter = true;
    TestImage ffBeforeC1 = LayoutA();
    ffBeforeC1.chains[0].modules[0].ffAfter = true;
    TestImage systemTypeInside = LayoutA();
    systemTypeInside.chains[0].modules[2].type = 0x5000;
    TestImage badCounts = LayoutA();
    badCounts.chains[0].modules[1].data[1] = 9;
    const std::pair<const char*, TestImage> seeds[] = {
        {"ff-before-modules.bin", ffBeforeModules},
        {"ff-before-c1.bin", ffBeforeC1},
        {"type-5000-inside-chain.bin", systemTypeInside},
        {"logo-counts-17x9.bin", badCounts},
        {"layout-a.bin", LayoutA()},
        {"layout-a-6.00pg.bin", version600},
        {"layout-b.bin", LayoutB(false)},
        {"layout-b-fixed-module.bin", LayoutB(true)},
        {"layout-c.bin", LayoutC()},
        {"full-screen.bin", fullScreen},
        {"stray-bytes.bin", stray},
    };
    const std::filesystem::path folder = argv[1];
    std::filesystem::create_directories(folder);
    for (const auto& [name, image] : seeds) {
        const std::vector<std::uint8_t> bytes = Build(image).bytes;
        std::ofstream out(folder / name, std::ios::binary | std::ios::trunc);
        out.write(reinterpret_cast<const char*>(bytes.data()),
                  static_cast<std::streamsize>(bytes.size()));
        if (!out) {
            std::fprintf(stderr, "make_award_seeds: cannot write %s\n", name);
            return 1;
        }
    }
    return 0;
}
