#include "bios/SyntheticImage.h"
#include "support/TempDir.h"

#include <cstdlib>
#include <gtest/gtest.h>
#include <string>

namespace kalvero::test {
namespace {

// Modules as the images hold them, packed by our encoder, are what lhasa
// reads: an LHA archive is such a module header and its data, and a 0 after.
TEST(ModuleBytes, LhasaExtractsWhatWePack) {
    if (std::system("command -v lha >/dev/null 2>&1") != 0) {
        GTEST_SKIP() << "lha (Debian's lhasa) is not installed";
    }
    const std::vector<std::pair<const char*, std::vector<std::uint8_t>>> inputs{
        {"empty", {}},
        {"all equal, 64 KiB", std::vector<std::uint8_t>(65536, 0xAA)},
        {"random, more codes than one block holds", Noise(70000, 1)},
        {"an EPA logo", EpaLogo(true, 7)},
    };
    for (const auto& [name, data] : inputs) {
        const TempDir dir;
        const TestModule module{.data = data, .type = 0x5A8C, .name = "data.bin"};
        std::vector<std::uint8_t> archive = ModuleBytes(module);
        archive.push_back(0);
        WriteBytes(dir.file("data.lzh"), archive);
        const std::string command = "cd '" + dir.path().string() + "' && lha xq data.lzh";
        ASSERT_EQ(std::system(command.c_str()), 0) << name;
        EXPECT_EQ(ReadBytes(dir.file("data.bin")), data) << name;
    }
}

} // namespace
} // namespace kalvero::test
