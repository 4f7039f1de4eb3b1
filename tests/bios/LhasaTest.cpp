#include "bios/ImageInspection.h"
#include "bios/LogoReplacer.h"
#include "bios/SyntheticImage.h"
#include "support/TempDir.h"

#include <cstdlib>
#include <gtest/gtest.h>
#include <string>

namespace kalvero::test {
namespace {

using Bytes = std::vector<std::uint8_t>;

// What lhasa (Debian's LHA decoder, independent of ours) unpacks from a
// module's bytes, which are an LHA archive but for its last 0.
Bytes LhasaUnpacks(const Bytes& module) {
    const TempDir dir;
    Bytes archive = module;
    archive.push_back(0);
    WriteBytes(dir.file("module.lzh"), archive);
    const std::string command = "cd '" + dir.path().string() + "' && lha xq module.lzh";
    EXPECT_EQ(std::system(command.c_str()), 0);
    // lhasa names the file as the header does, up to a NUL.
    const std::string name(module.begin() + 22, module.begin() + 22 + module[21]);
    return ReadBytes(dir.file(name.substr(0, name.find('\0'))));
}

// Modules packed by our encoder, and as a replacement writes them into an
// image with their header rewritten, are what lhasa reads.
TEST(WrittenModules, LhasaUnpacksThem) {
    if (std::system("command -v lha >/dev/null 2>&1") != 0) {
        GTEST_SKIP() << "lha (Debian's lhasa) is not installed";
    }
    // 14 zeros pack as literals alone: a character table of one symbol.
    for (const Bytes& data : {Bytes(65536, 0xAA), Noise(70000, 1), Bytes(14, 0)}) {
        EXPECT_EQ(LhasaUnpacks(ModuleBytes({.data = data, .name = "data.bin"})), data);
    }
    TestImage recipe = LayoutB(false);
    recipe.chains[0].modules.push_back(FullScreenModule(Epa2Logo(640, 480, 1)));
    const Bytes logo = Epa2Logo(640, 480, 2);
    const FileResult<bios::Replacement> replaced =
        bios::ReplaceLogo(Build(recipe).bytes, logo, bios::LogoPlace::FullScreen);
    ASSERT_TRUE(replaced.ok()) << replaced.error().reason.english();
    const Bytes& image = replaced.value().image;
    const bios::ImageInspection inspection = bios::InspectAwardImage(image).value();
    const bios::Module& module = inspection.image.modules[3];
    EXPECT_EQ(LhasaUnpacks({image.begin() + static_cast<long>(module.offset),
                            image.begin() + static_cast<long>(module.end())}),
              logo);
}

} // namespace
} // namespace kalvero::test
