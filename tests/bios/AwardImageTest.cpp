#include "bios/ImageInspection.h"
#include "bios/ImageParser.h"
#include "bios/ImageReport.h"
#include "bios/ImageVerification.h"
#include "bios/LogoModule.h"
#include "bios/SyntheticImage.h"

#include <gtest/gtest.h>

namespace kalvero::bios {
namespace {

using test::C1Mode;
using test::StoredModule;
using test::TestImage;

// Stored modules of known lengths: a header is 27 bytes and the name, so the
// system module (a 10-byte name, 0x1000 bytes) takes 0x1025 bytes and 00 C1
// after it, "a.rom" with 0x100 bytes 0x120 and 00.
test::TestModule StoredSystem() {
    test::TestModule module = test::SystemModule(0x1000);
    module.stored = true;
    return module;
}

// Layout A with one change.
template <typename Change> TestImage WithA(Change change) {
    TestImage recipe = test::LayoutA();
    change(recipe);
    return recipe;
}

struct ChainFacts {
    std::size_t start, end, roomEnd, modules;
    friend bool operator==(const ChainFacts&, const ChainFacts&) = default;
};

std::vector<ChainFacts> Chains(const AwardImage& image) {
    std::vector<ChainFacts> facts;
    for (const Chain& chain : image.chains) {
        facts.push_back({chain.start, chain.end, chain.roomEnd, chain.moduleCount});
    }
    return facts;
}

TEST(ParseAwardImage, WalksEachLayout) {
    TestImage a;
    a.chains = {{0, {StoredSystem(), StoredModule(0x100, 0x4002, "a.rom")}}};
    a.otherBlocks = {0x1A000};
    TestImage noC1 = a;
    noC1.c1 = C1Mode::Missing;
    TestImage unaligned = a; // a block that does not start at 4 KiB ends the room before its 4 KiB
    unaligned.otherBlocks = {0x19F10};
    unaligned.bootText = "AWARD BootBlock Bios v1.0";
    TestImage b;
    b.size = 0x40000;
    b.decompression = 0x37400;
    b.chains = {{0, {StoredModule(0x100, 0x4002, "a.rom")}}, {0x20000, {StoredSystem()}}};
    TestImage fixed = b; // a further module of type 0x5000 at a fixed place
    fixed.chains.push_back({0x34000, {StoredModule(0x100, 0x5000, "a.bmp")}});
    fixed.otherBlocks = {0x36000};
    TestImage c;
    c.chains = {{0, {StoredSystem()}}, {0x10000, {StoredModule(0x100, 0x4002, "a.rom")}}};

    const std::tuple<const char*, TestImage, ImageLayout, std::vector<ChainFacts>, bool> cases[] = {
        {"A", a, ImageLayout::SystemFirst, {{0, 0x1148, 0x1A000, 2}}, true},
        {"A without C1", noC1, ImageLayout::SystemFirst, {{0, 0x1147, 0x1A000, 2}}, false},
        {"A, unaligned block",
         unaligned,
         ImageLayout::SystemFirst,
         {{0, 0x1148, 0x19000, 2}},
         true},
        {"B",
         b,
         ImageLayout::Split,
         {{0, 0x121, 0x20000, 1}, {0x20000, 0x21027, 0x37000, 1}},
         true},
        {"B, fixed module",
         fixed,
         ImageLayout::Split,
         {{0, 0x121, 0x20000, 1}, {0x20000, 0x21027, 0x34000, 1}, {0x34000, 0x34121, 0x36000, 1}},
         true},
        {"C",
         c,
         ImageLayout::SmallSystem,
         {{0, 0x1027, 0x10000, 1}, {0x10000, 0x10121, 0x1B000, 1}},
         true},
    };
    for (const auto& [name, recipe, layout, chains, c1Present] : cases) {
        const FileResult<AwardImage> image = ParseAwardImage(test::Build(recipe).bytes);
        ASSERT_TRUE(image.ok()) << name << ": " << image.error().reason;
        EXPECT_EQ(image.value().layout, layout) << name;
        EXPECT_EQ(Chains(image.value()), chains) << name;
        EXPECT_EQ(image.value().checks.c1Present, c1Present) << name;
        const Module& system = image.value().modules[image.value().systemModule];
        EXPECT_EQ(system.offset, layout == ImageLayout::Split ? 0x20000U : 0U) << name;
    }
}

TEST(ParseAwardImage, RefusesWhatItCannotWalk) {
    const auto spoil = [](TestImage recipe, auto change) {
        test::BuiltImage built = test::Build(recipe);
        change(built);
        return built.bytes;
    };
    TestImage noDecompression = test::LayoutA();
    noDecompression.decompressionText = "= Award Expansion Bios =";
    TestImage noBoot = test::LayoutA();
    noBoot.bootText = "Award Boot Block";
    TestImage strayChain = test::LayoutA(); // a second chain in layout A
    strayChain.chains.push_back({0x18000, {StoredModule(0x10, 0x4100, "x.rom")}});
    TestImage noSystem = test::LayoutB(false);
    noSystem.chains[1].modules[0].type = 0x4100;
    noSystem.chains[1].modules[0].system = false;
    TestImage intoDecompression; // "big" ends at 0x1027 + 30 + 0x19000 = 0x1A045
    intoDecompression.decompression = 0x1A000;
    intoDecompression.chains = {{0, {StoredSystem(), StoredModule(0x19000, 0x4100, "big")}}};

    const std::tuple<const char*, std::vector<std::uint8_t>, std::string> cases[] = {
        {"size", std::vector<std::uint8_t>(0x18000, 0xFF),
         "the images it knows have 128 or 256 KiB"},
        {"no decompression block", test::Build(noDecompression).bytes, "no decompression block"},
        {"decompression text twice",
         spoil(test::LayoutA(),
               [](test::BuiltImage& image) {
                   const std::string text = "= Award Decompression Bios =";
                   std::copy(text.begin(), text.end(), image.bytes.begin() + 0x1C000);
               }),
         "stands more than once"},
        {"no boot block", test::Build(noBoot).bytes, "no boot block"},
        {"no module at 0",
         spoil(test::LayoutA(), [](test::BuiltImage& image) { image.bytes[2] = '*'; }),
         "no module (LHA header"},
        {"separator",
         spoil(test::LayoutA(),
               [](test::BuiltImage& image) { image.bytes[image.moduleOffsets[2] - 1] = 7; }),
         "where 00 separates modules"},
        {"junk after a separator",
         spoil(test::LayoutA(),
               [](test::BuiltImage& image) { image.bytes[image.moduleOffsets[2] + 3] = 'x'; }),
         "cannot be walked: at "},
        {"level 2 header",
         spoil(test::LayoutA(),
               [](test::BuiltImage& image) { image.bytes[image.moduleOffsets[1] + 20] = 2; }),
         "module header of another kind"},
        {"into the decompression block", test::Build(intoDecompression).bytes, "runs into 0x1A000"},
        {"second chain in layout A", test::Build(strayChain).bytes, "chains at 0x0, 0x18000"},
        {"no system module at 0x20000", test::Build(noSystem).bytes, "laid out in a way"},
    };
    for (const auto& [name, bytes, reason] : cases) {
        const FileResult<AwardImage> image = ParseAwardImage(bytes);
        ASSERT_FALSE(image.ok()) << name;
        EXPECT_NE(image.error().reason.find(reason), std::string::npos)
            << name << ": " << image.error().reason;
    }
}

std::string Verdicts(const std::vector<CheckResult>& checks) {
    std::string text;
    for (const CheckResult& check : checks) {
        text += (text.empty() ? "" : ", ") + check.name + " " +
                (check.verdict == Verdict::Holds   ? "holds"
                 : check.verdict == Verdict::Fails ? "FAILS"
                                                   : "not used");
    }
    return text;
}

TEST(VerifyImage, NamesEveryCheck) {
    const auto version600 = [](TestImage& recipe) {
        recipe.chains[0].modules[0] = test::SystemModule(0x6000, true);
    };
    const std::string base = "header sums holds, CRCs holds, ";
    const std::tuple<const char*, TestImage, std::string> cases[] = {
        {"A", test::LayoutA(), base + "C1 holds, C2 holds, C3 holds, W not used"},
        {"B", test::LayoutB(true), base + "C1 holds, C2 holds, C3 holds, W holds"},
        {"C", test::LayoutC(), base + "C1 holds, C2 holds, C3 not used, W not used"},
        {"C1 wrong", WithA([](TestImage& s) { s.c1 = C1Mode::Wrong; }),
         base + "C1 FAILS, C2 holds, C3 holds, W not used"},
        {"C1 missing", WithA([](TestImage& s) { s.c1 = C1Mode::Missing; }),
         base + "C1 FAILS, C2 holds, C3 holds, W not used"},
        {"6.00PG without C1", WithA([&](TestImage& s) {
             version600(s);
             s.c1 = C1Mode::Missing;
         }),
         base + "C1 not used, C2 holds, C3 holds, W not used"},
        {"6.00PG, C1 wrong", WithA([&](TestImage& s) {
             version600(s);
             s.c1 = C1Mode::Wrong;
         }),
         base + "C1 not used, C2 holds, C3 holds, W not used"},
        {"6.00PG with C1", WithA(version600), base + "C1 holds, C2 holds, C3 holds, W not used"},
        {"C2 wrong", WithA([](TestImage& s) { s.c2 = false; }),
         base + "C1 holds, C2 FAILS, C3 holds, W not used"},
        {"header sum", WithA([](TestImage& s) { s.chains[0].modules[3].badHeaderSum = true; }),
         "header sums FAILS, CRCs holds, C1 holds, C2 holds, C3 holds, W not used"},
        {"CRC", WithA([](TestImage& s) { s.chains[0].modules[2].badCrc = true; }),
         "header sums holds, CRCs FAILS, C1 holds, C2 holds, C3 holds, W not used"},
    };
    for (const auto& [name, recipe, verdicts] : cases) {
        const FileResult<ImageInspection> inspection = InspectAwardImage(test::Build(recipe).bytes);
        ASSERT_TRUE(inspection.ok()) << name << ": " << inspection.error().reason;
        EXPECT_EQ(Verdicts(VerifyImage(inspection.value())), verdicts) << name;
    }
}

TEST(VerifyImage, ModulesThatDoNotUnpackFailTheCrcs) {
    // "awardext.rom" is packed; its header takes 39 bytes, the original size
    // stands at 11.
    const std::tuple<const char*, std::size_t, std::uint8_t, std::string> cases[] = {
        {"packed data", 39 + 40, 0x5A, "\"awardext.rom\" at "},
        {"original size of 2 MiB", 13, 0x20,
         "claims to unpack to 2103296 bytes, more than the 1 MiB"},
    };
    for (const auto& [name, at, change, detail] : cases) {
        test::BuiltImage built = test::Build(test::LayoutA());
        built.bytes[built.moduleOffsets[2] + at] ^= change;
        const FileResult<ImageInspection> inspection = InspectAwardImage(built.bytes);
        ASSERT_TRUE(inspection.ok()) << name;
        const CheckResult crcs = VerifyImage(inspection.value())[1];
        EXPECT_EQ(crcs.verdict, Verdict::Fails) << name;
        EXPECT_NE(crcs.detail.find(detail), std::string::npos) << name << ": " << crcs.detail;
    }
}

TEST(ListImage, TellsLayoutChainsModulesChecksAndLogo) {
    TestImage recipe;
    recipe.size = 0x40000;
    recipe.decompression = 0x37400;
    test::TestModule logo = test::LogoModule(test::EpaLogo(true, 1));
    logo.stored = true;
    recipe.chains = {{0, {logo}}, {0x20000, {StoredSystem()}}};
    const FileResult<ImageInspection> inspection = InspectAwardImage(test::Build(recipe).bytes);
    ASSERT_TRUE(inspection.ok()) << inspection.error().reason;
    // The logo: 27 + 12 header bytes, 2367 data bytes, 00: 0x967 bytes.
    const std::vector<std::string> expected{
        "Award BIOS image, 256 KiB, layout B (split, system module at 0x20000)",
        "boot block at 0x3E000, decompression block at 0x37400",
        "chain at 0x00000 .. 0x00967, 128665 bytes of free room up to 0x20000",
        "  0x00000  -lh0-  type 0x4002     2367 ->    2367  AWARDEPA.BIN  (logo)",
        "chain at 0x20000 .. 0x21027, 90073 bytes of free room up to 0x37000",
        "  0x20000  -lh0-  type 0x5000     4096 ->    4096  BIOS.BIN  (system module)",
        "checks: header sums holds, CRCs holds, C1 holds, C2 holds, C3 holds, W not used",
        "logo: EPA version 1, tall logo, 136 x 126",
    };
    EXPECT_EQ(ListImage(inspection.value()), expected);
    EXPECT_EQ(DescribeAwardImage(inspection.value()),
              "Award BIOS image, 256 KiB, layout B (split, system module at 0x20000), logo: EPA "
              "version 1, tall logo, 136 x 126");
}

TEST(ExtractLogo, GivesTheLogoModulesContentOrSaysWhyNot) {
    const auto with = [](auto change) {
        return test::Build(WithA(change)).bytes;
    };
    const std::vector<std::uint8_t> logo = test::EpaLogo(false, 1);
    const std::tuple<const char*, std::vector<std::uint8_t>, std::string> cases[] = {
        {"A", test::Build(test::LayoutA()).bytes, ""},
        {"C2 wrong does not matter for reading", with([](TestImage& s) { s.c2 = false; }), ""},
        {"header sum", with([](TestImage& s) { s.chains[0].modules[1].badHeaderSum = true; }),
         "logo module's header sum"},
        {"not an image", std::vector<std::uint8_t>(1602), "128 or 256 KiB"},
    };
    for (const auto& [name, image, reason] : cases) {
        const FileResult<std::vector<std::uint8_t>> extracted = ExtractLogo(image);
        if (reason.empty()) {
            ASSERT_TRUE(extracted.ok()) << name << ": " << extracted.error().reason;
            EXPECT_EQ(extracted.value(), logo) << name;
        } else {
            ASSERT_FALSE(extracted.ok()) << name;
            EXPECT_NE(extracted.error().reason.find(reason), std::string::npos)
                << name << ": " << extracted.error().reason;
        }
    }
}

} // namespace
} // namespace kalvero::bios
