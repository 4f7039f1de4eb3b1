#include "bios/FullScreenShow.h"
#include "bios/ImageBytes.h"
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
// after it, "a.rom" with 0x100 bytes 0x120 and 00. With a sum, one of its
// bytes is chosen so that its bytes sum to it, which C1 then holds.
test::TestModule StoredSystem(std::optional<std::uint8_t> sum = std::nullopt) {
    test::TestModule module = test::SystemModule(0x1000);
    module.stored = true;
    for (unsigned v = 0; sum && test::Sum(test::ModuleBytes(module), 0, 0x1025) != *sum; ++v) {
        module.data[0x100] = static_cast<std::uint8_t>(v);
        module.name[9] = static_cast<char>(0xF0 + v / 256);
    }
    return module;
}

// Layout A with one change.
template <typename Change> TestImage WithA(Change change) {
    TestImage recipe = test::LayoutA();
    change(recipe);
    return recipe;
}

// The walk in short: each chain's start, end and room end
// ("0-1148/1A000"), then the bytes of their own behind the chains ("+1A000-1A010",
// end not included), and "no C1" where C1 is not there.
std::string Walk(const AwardImage& image) {
    const auto hex = [](std::size_t value) {
        return Hex(value).substr(2);
    };
    std::string text;
    for (const Chain& chain : image.chains) {
        text += (text.empty() ? "" : " ") + hex(chain.start) + "-" + hex(chain.end) + "/" +
                hex(chain.roomEnd);
    }
    for (const ForeignBytes& area : image.foreign) {
        text += " +" + hex(area.start) + "-" + hex(area.end);
    }
    return text + (image.checks.c1Present ? "" : " no C1");
}

TEST(ParseAwardImage, WalksEachLayout) {
    using enum ImageLayout;
    TestImage a;
    a.chains = {{0, {StoredSystem(), StoredModule(0x100, 0x4002, "a.rom")}}};
    a.otherBlocks = {{0x1A000}};
    TestImage noC1 = a;
    noC1.c1 = C1Mode::Missing;
    TestImage unaligned = a; // a block that does not start at 4 KiB ends the room before its 4 KiB
    unaligned.otherBlocks = {{0x19F10}};
    unaligned.bootText = "AWARD BootBlock Bios v1.0";
    TestImage ffEnd = a;
    ffEnd.chains[0].ffEnd = true;
    TestImage strayAfterEnd = a; // FF 2E 00 FF: the room ends at the 2E
    strayAfterEnd.otherBlocks.push_back({0x1149, {0x2E, 0x00}});
    TestImage strayInLastBlock = a;
    strayInLastBlock.otherBlocks.push_back({0x1FF0});
    TestImage b;
    b.size = 0x40000;
    b.decompression = 0x37400;
    b.chains = {{0, {StoredModule(0x100, 0x4002, "a.rom")}}, {0x20000, {StoredSystem()}}};
    TestImage fixed = b; // a further module of type 0x5000 at a fixed place
    fixed.chains.push_back({0x34000, {StoredModule(0x100, 0x5000, "a.bmp")}});
    fixed.otherBlocks = {{0x36000}};
    TestImage c;
    c.chains = {{0, {StoredSystem()}}, {0x10000, {StoredModule(0x100, 0x4002, "a.rom")}}};
    TestImage c1IsFF = c; // C1 of 0xFF, then 0xFF: the chain ends behind C1
    c1IsFF.chains[0].modules[0] = StoredSystem(0xFF);

    const std::tuple<const char*, TestImage, ImageLayout, std::string> cases[] = {
        {"A", a, SystemFirst, "0-1148/1A000 +1A000-1A010"},
        {"A, no C1", noC1, SystemFirst, "0-1147/1A000 +1A000-1A010 no C1"},
        {"A, unaligned", unaligned, SystemFirst, "0-1148/19000 +19F10-19F20"},
        {"A, FF end", ffEnd, SystemFirst, "0-1147/1A000 +1A000-1A010"},
        {"A, 2E 00", strayAfterEnd, SystemFirst, "0-1148/1149 +1149-114B +1A000-1A010"},
        {"A, 0x1FF0", strayInLastBlock, SystemFirst, "0-1148/1FF0 +1FF0-2000 +1A000-1A010"},
        {"B, fixed", fixed, Split, "0-121/20000 20000-21027/34000 34000-34121/36000 +36000-36010"},
        {"C, C1 of 0xFF", c1IsFF, SmallSystem, "0-1027/10000 10000-10121/1B000"},
    };
    for (const auto& [name, recipe, layout, walked] : cases) {
        const FileResult<AwardImage> image = ParseAwardImage(test::Build(recipe).bytes);
        ASSERT_TRUE(image.ok()) << name << ": " << image.error().reason.english();
        EXPECT_EQ(image.value().layout, layout) << name;
        EXPECT_EQ(Walk(image.value()), walked) << name;
        const Module& system = image.value().modules[image.value().systemModule];
        EXPECT_EQ(system.offset, layout == Split ? 0x20000U : 0U) << name;
    }
}

// Layout A with the byte at `at` from a module's start set to value.
std::vector<std::uint8_t> Spoiled(std::size_t module, std::ptrdiff_t at, std::uint8_t value) {
    test::BuiltImage built = test::Build(test::LayoutA());
    built.bytes[static_cast<std::size_t>(static_cast<std::ptrdiff_t>(built.moduleOffsets[module]) +
                                         at)] = value;
    return built.bytes;
}

TEST(ParseAwardImage, RefusesWhatItCannotWalk) {
    const std::string text = "= Award Decompression Bios =";
    const TestImage twice = WithA([&](TestImage& s) {
        s.otherBlocks = {{0x1C000, {text.begin(), text.end()}}};
    });
    const TestImage noDecompression =
        WithA([](TestImage& s) { s.decompressionText = "= Award Expansion Bios ="; });
    const TestImage noBoot = WithA([](TestImage& s) { s.bootText = "Award Boot Block"; });
    const TestImage strayChain = WithA([](TestImage& s) { // a second chain in layout A
        s.chains.push_back({0x18000, {StoredModule(0x10, 0x4100, "x.rom")}});
    });
    TestImage noSystem = test::LayoutB(false);
    noSystem.chains[1].modules[0].type = 0x4100;
    noSystem.chains[1].modules[0].system = false;
    TestImage strayByte = test::LayoutB(false); // in the free room of the chain at 0
    strayByte.otherBlocks.push_back({0x10000, {0x2E}});
    TestImage intoDecompression; // "big" ends at 0x1027 + 30 + 0x19000 = 0x1A045
    intoDecompression.decompression = 0x1A000;
    intoDecompression.chains = {{0, {StoredSystem(), StoredModule(0x19000, 0x4100, "big")}}};

    const std::pair<std::vector<std::uint8_t>, std::string> cases[] = {
        {std::vector<std::uint8_t>(0x18000, 0xFF), "the images it knows have 128 or 256 KiB"},
        {test::Build(noDecompression).bytes, "no decompression block"},
        {test::Build(twice).bytes, "stands more than once"},
        {test::Build(noBoot).bytes, "no boot block"},
        {Spoiled(0, 2, '*'), "no module (LHA header"},
        {Spoiled(2, -1, 7), "comes 0x07 at "},
        {Spoiled(2, 3, 'x'), "cannot be walked: at "},
        {Spoiled(1, 20, 2), "module header of another kind"},
        {test::Build(intoDecompression).bytes, "runs into 0x1A000"},
        {test::Build(strayChain).bytes, "chains at 0x0, 0x18000"},
        {test::Build(noSystem).bytes, "laid out in a way"},
        {test::Build(strayByte).bytes, "the byte 0x2E at 0x10000 stands in the free room"},
    };
    for (const auto& [bytes, reason] : cases) {
        const FileResult<AwardImage> image = ParseAwardImage(bytes);
        ASSERT_FALSE(image.ok()) << reason;
        EXPECT_NE(image.error().reason.english().find(reason), std::string::npos)
            << image.error().reason.english();
    }
}

FileResult<ImageInspection> Inspect(const TestImage& recipe) {
    return InspectAwardImage(test::Build(recipe).bytes);
}

// The checks that do not hold, by name: "C1 FAILS, W not used".
std::string Exceptions(const std::vector<CheckResult>& checks) {
    std::string text;
    for (const CheckResult& check : checks) {
        if (check.verdict != Verdict::Holds) {
            text += (text.empty() ? "" : ", ") + check.name +
                    (check.verdict == Verdict::Fails ? " FAILS" : " not used");
        }
    }
    return text;
}

TEST(VerifyImage, NamesEveryCheck) {
    const auto pg = [](TestImage& s) {
        s.chains[0].modules[0] = test::SystemModule(0x6000, true);
    };
    const std::string w = "W not used";
    const std::tuple<TestImage, std::string> cases[] = {
        {test::LayoutA(), w},
        {test::LayoutB(true), ""},
        {test::LayoutC(), "C3 not used, " + w},
        {WithA([](TestImage& s) { s.c1 = C1Mode::Wrong; }), "C1 FAILS, " + w},
        {WithA([&](TestImage& s) { pg(s), s.c1 = C1Mode::Missing; }), "C1 not used, " + w},
        {WithA(pg), w},
        {WithA([](TestImage& s) { s.c2 = false; }), "C2 FAILS, " + w},
        {WithA([](TestImage& s) { s.chains[0].modules[3].badHeaderSum = true; }),
         "header sums FAILS, " + w},
        {WithA([](TestImage& s) { s.chains[0].modules[2].badCrc = true; }), "CRCs FAILS, " + w},
    };
    for (const auto& [recipe, exceptions] : cases) {
        const FileResult<ImageInspection> inspection = Inspect(recipe);
        ASSERT_TRUE(inspection.ok()) << inspection.error().reason.english();
        EXPECT_EQ(Exceptions(VerifyImage(inspection.value())), exceptions);
    }
}

// The BIOS's own blocks are told in the details; bytes behind the chains
// that start off a 4 KiB boundary, or hold a module header's "-lh", warned of.
TEST(DescribeAreas, TellsOwnBlocksAndWarnsOfOthers) {
    const std::string behindC2 =
        "0x1C000 .. 0x1FFFF (behind C2: the rest of the decompression block and the boot block)";
    const auto own = [](const std::string& areas) {
        return "a block of the BIOS's own at " + areas +
               " (uncompressed code or tables; Kalvero leaves it alone)";
    };
    const auto warning = [](const std::string& areas) {
        return "warning: bytes other than 0xFF behind the chains at " + areas +
               " are no 4 KiB block of the BIOS's own: a damaged module header may hide "
               "modules there (kalvero-cli bios list shows the chains)";
    };
    TestImage unaligned = test::LayoutA();
    unaligned.otherBlocks = {{0x19F10}};
    TestImage header = test::LayoutA();
    header.otherBlocks = {{0x1A000, {0x11, 0x22, '-', 'l', 'h', '5', '-'}}};
    using Lines = std::vector<std::string>;
    const std::tuple<const char*, TestImage, Lines, Lines> cases[] = {
        {"A: C3 holds",
         test::LayoutA(),
         {"no check covers " + behindC2, own("0x1A000 .. 0x1A00F")},
         {}},
        {"B: W holds", test::LayoutB(true), {own("0x36000 .. 0x3600F")}, {}},
        {"C: neither",
         test::LayoutC(),
         {"no check covers the free room of the chains, the bytes between them up to the "
          "decompression block at 0x1B000, and " +
          behindC2},
         {}},
        {"off a boundary",
         unaligned,
         {"no check covers " + behindC2},
         {warning("0x19F10 .. 0x19F1F")}},
        {"a header", header, {"no check covers " + behindC2}, {warning("0x1A000 .. 0x1A006")}},
    };
    for (const auto& [name, recipe, details, warnings] : cases) {
        const AreaNotes notes = DescribeAreas(Inspect(recipe).value().image);
        EXPECT_EQ(notes.details, details) << name;
        EXPECT_EQ(notes.warnings, warnings) << name;
    }
}

TEST(ListImage, TellsLayoutChainsModulesChecksAndLogos) {
    TestImage recipe;
    recipe.size = 0x40000;
    recipe.decompression = 0x37400;
    test::TestModule logo = test::LogoModule(test::EpaLogo(9, 1));
    test::TestModule fullScreen = test::FullScreenModule(test::Epa2Logo(16, 2, 1));
    logo.stored = fullScreen.stored = true;
    recipe.chains = {{0, {logo, fullScreen}}, {0x20000, {StoredSystem()}}};
    const FileResult<ImageInspection> inspection = Inspect(recipe);
    ASSERT_TRUE(inspection.ok()) << inspection.error().reason.english();
    // The logo: 27 + 12 header bytes, 2367 data bytes, 00: 0x967 bytes; the
    // full-screen logo 39 + 76 bytes and 00: 0x74. Each room keeps one 0xFF.
    const std::string logos = "EPA version 1, tall logo, 136 x 126 (2367 bytes packed, 128548 "
                              "bytes of free room), full-screen logo: EPA 2.0, 4-bit (16 "
                              "colours), 16 x 2 (76 bytes packed, 128548 bytes of free room)";
    const std::vector<std::string> expected{
        "Award BIOS image, 256 KiB, layout B (split, system module at 0x20000)",
        "boot block at 0x3E000, decompression block at 0x37400",
        "chain at 0x00000 .. 0x009DB, 128548 bytes of free room up to 0x20000",
        "  0x00000  -lh0-  type 0x4002     2367 ->    2367  AWARDEPA.BIN  (logo)",
        "  0x00967  -lh0-  type 0x4000       76 ->      76  fullscrn.bmp  (full-screen logo)",
        "chain at 0x20000 .. 0x21027, 90072 bytes of free room up to 0x37000",
        "  0x20000  -lh0-  type 0x5000     4096 ->    4096  BIOS.BIN  (system module)",
        "checks: header sums: hold, CRCs: hold, C1: holds, C2: holds, C3: holds, W: not used",
        "logo: " + logos.substr(0, logos.find(", full-screen")),
        logos.substr(logos.find("full-screen")),
        "no check covers 0x38000 .. 0x3FFFF (behind C2: the rest of the decompression block and "
        "the boot block)",
    };
    EXPECT_EQ(ListImage(inspection.value()), expected);
    EXPECT_EQ(DescribeAwardImage(inspection.value()),
              "Award BIOS image, 256 KiB, layout B (split, system module at 0x20000), logo: " +
                  logos);
}

// The logos are found by the replacements; here, why one is not.
TEST(FindLogo, SaysWhyThereIsNoLogoToTake) {
    using Bytes = std::vector<std::uint8_t>;
    using Modules = std::vector<test::TestModule>;
    const auto with = [](auto change) {
        TestImage recipe = test::LayoutA();
        change(recipe.chains[0].modules);
        return recipe;
    };
    const std::tuple<TestImage, LogoPlace, std::string> cases[] = {
        {with([](Modules& m) { m[1].badHeaderSum = true; }), LogoPlace::Boot, "has the header sum"},
        {with([](Modules& m) { m[1].type = 0x4101; }), LogoPlace::Boot,
         "this image has no logo module; its BIOS may show a built-in logo that cannot be "
         "changed."},
        {with([](Modules& m) { m[3].type = 0x4002; }), LogoPlace::Boot,
         "the image has 2 logo modules"},
        {with([](Modules& m) { m[1].data = Bytes(70, 0x3C); }), LogoPlace::Boot,
         "holds no EPA logo Kalvero knows (it holds only the 70-byte trailer"},
        {with([](Modules& m) { m[1].data = test::EpaLogo(2, 1), m[1].data[0] = 16; }),
         LogoPlace::Boot, "(wrong size: 582 bytes"}, // 17 columns or none
        {test::LayoutA({test::EpaLogo(6, 1)}), LogoPlace::FullScreen,
         "holds no EPA 2.0 image of 16 colours Kalvero knows (it is EPA version 1"},
        {test::LayoutA(), LogoPlace::FullScreen,
         "this image has no full-screen logo module (type 0x4000)"},
    };
    for (const auto& [recipe, place, reason] : cases) {
        const FileResult<Bytes> extracted = ExtractLogo(test::Build(recipe).bytes, place);
        ASSERT_FALSE(extracted.ok()) << reason;
        EXPECT_NE(extracted.error().reason.english().find(reason), std::string::npos)
            << extracted.error().reason.english();
    }
}

// The strings of the image's own modules tell what its BIOS shows with its
// full-screen logo.
TEST(FullScreenShowOf, TheSetupItemThenTheLine) {
    const std::string line = "Press [TAB] to show POST screen, [DEL] to enter SETUP";
    const std::tuple<std::string, std::string, FullScreenShow> cases[] = {
        {"", "", FullScreenShow::Unknown},
        {line, "", FullScreenShow::LineBelow},
        {line, "Full Screen Logo    ", FullScreenShow::WholeLogo},
    };
    for (const auto& [system, extension, shows] : cases) {
        TestImage recipe = test::LayoutA();
        std::vector<std::uint8_t>& data = recipe.chains[0].modules[0].data;
        std::copy(system.begin(), system.end(), data.begin() + 100);
        std::vector<std::uint8_t>& other = recipe.chains[0].modules[2].data;
        std::copy(extension.begin(), extension.end(), other.begin() + 7);
        const FileResult<ImageInspection> inspection = InspectAwardImage(test::Build(recipe).bytes);
        ASSERT_TRUE(inspection.ok());
        EXPECT_EQ(FullScreenShowOf(inspection.value()), shows) << system << extension;
    }
}

} // namespace
} // namespace kalvero::bios
