#include "bios/LogoReplacer.h"

#include "bios/ImageInspection.h"
#include "bios/ImageReport.h"
#include "bios/ImageVerification.h"
#include "bios/LogoModule.h"
#include "bios/SyntheticImage.h"

#include <gtest/gtest.h>

namespace kalvero::bios {
namespace {

using test::Sum;
using test::TestImage;
using test::WordSum;

std::size_t Long(const std::vector<std::uint8_t>& bytes, std::size_t at) {
    return bytes[at] | bytes[at + 1] << 8 | bytes[at + 2] << 16 |
           static_cast<std::size_t>(bytes[at + 3]) << 24;
}

// A module's length: H + 2 header bytes and the packed size at 7.
std::size_t ModuleLength(const std::vector<std::uint8_t>& bytes, std::size_t at) {
    return bytes[at] + 2U + Long(bytes, at + 7);
}

struct ReplaceCase {
    const char* name;
    TestImage recipe;
    std::vector<std::uint8_t> logo;
    std::size_t logoIndex; // into the built image's module offsets
    std::size_t lastInChain;
};

std::vector<ReplaceCase> ReplaceCases() {
    TestImage version600 = test::LayoutA();
    version600.chains[0].modules[0] = test::SystemModule(0x6000, true);
    version600.c1 = test::C1Mode::Missing;
    TestImage wide = test::LayoutA(); // 256 KiB, one chain across 0x20000
    wide.size = 0x40000;
    wide.decompression = 0x37000;
    wide.otherBlocks.clear();
    wide.chains[0].modules.insert(wide.chains[0].modules.begin() + 1,
                                  test::StoredModule(0x1F000, 0x4001, "big.rom"));
    TestImage shrinking = test::LayoutC();
    shrinking.chains[1].modules[0].data = test::Noise(2367, 4);
    return {
        {"A, the same logo", test::LayoutA(), test::EpaLogo(false, 1), 1, 3},
        {"A, another logo", test::LayoutA(), test::EpaLogo(false, 4), 1, 3},
        {"A, 6.00PG without C1", version600, test::EpaLogo(false, 6), 1, 3},
        {"A, 256 KiB", wide, test::EpaLogo(false, 5), 2, 4},
        {"B", test::LayoutB(false), test::Epa2Logo(false, 7), 1, 2},
        {"B, fixed module, word sum 0", test::LayoutB(true), test::Epa2Logo(false, 2), 1, 2},
        {"C, C3 not held", test::LayoutC(), test::EpaLogo(true, 9), 1, 2},
        {"C, smaller logo", shrinking, test::EpaLogo(true, 3), 1, 2},
    };
}

TEST(ReplaceLogo, ChangesOnlyTheChainBehindTheLogoAndTheCheckBytes) {
    for (const ReplaceCase& c : ReplaceCases()) {
        SCOPED_TRACE(c.name);
        const test::BuiltImage built = test::Build(c.recipe);
        const std::vector<std::uint8_t>& before = built.bytes;
        const FileResult<LogoReplacement> replaced = ReplaceLogo(before, c.logo);
        ASSERT_TRUE(replaced.ok()) << replaced.error().reason;
        const std::vector<std::uint8_t>& after = replaced.value().image;
        const ReplacementPlan& plan = replaced.value().plan;
        ASSERT_EQ(after.size(), before.size());

        const std::size_t logoAt = built.moduleOffsets[c.logoIndex];
        const std::size_t last = built.moduleOffsets[c.lastInChain];
        const std::size_t oldLength = ModuleLength(before, logoAt);
        const std::size_t newLength = ModuleLength(after, logoAt);
        const std::size_t oldEnd = last + ModuleLength(before, last) + 1;
        const std::ptrdiff_t shift =
            static_cast<std::ptrdiff_t>(newLength) - static_cast<std::ptrdiff_t>(oldLength);
        const std::size_t newEnd = oldEnd + static_cast<std::size_t>(shift);
        EXPECT_EQ(plan.logoOffset, logoAt);
        EXPECT_EQ(plan.oldPackedSize, Long(before, logoAt + 7));
        EXPECT_EQ(plan.newPackedSize, Long(after, logoAt + 7));
        EXPECT_EQ(plan.shift, shift);
        EXPECT_EQ(plan.movedBytes, oldEnd - logoAt - oldLength);
        EXPECT_EQ(plan.roomAfter, plan.roomBefore - static_cast<std::size_t>(shift));

        // Before the logo nothing changes; behind it the rest of the chain
        // moves byte for byte; then 0xFF up to where the old room ended.
        EXPECT_TRUE(
            std::equal(before.begin(), before.begin() + static_cast<long>(logoAt), after.begin()));
        EXPECT_TRUE(std::equal(before.begin() + static_cast<long>(logoAt + oldLength),
                               before.begin() + static_cast<long>(oldEnd),
                               after.begin() + static_cast<long>(logoAt + newLength)));
        std::size_t room = oldEnd;
        while (room < before.size() && before[room] == 0xFF) {
            ++room;
        }
        for (std::size_t i = newEnd; i < room; ++i) {
            ASSERT_EQ(after[i], 0xFF) << i;
        }

        // Then only the check bytes may differ.
        const std::size_t p3 = c.recipe.decompression / 0x1000 * 0x1000 + 0xFFE;
        const std::size_t balance = c.recipe.size - 0x2000 + 0x54;
        for (std::size_t i = room; i < before.size(); ++i) {
            if (i != p3 && i != p3 + 1 && i != balance && i != balance + 1) {
                ASSERT_EQ(after[i], before[i]) << i;
            }
        }
        EXPECT_EQ(after[p3 + 1], Sum(after, c.recipe.decompression, p3 + 1));
        EXPECT_EQ(after[p3] == Sum(after, 0, p3), c.recipe.c3);
        if (!c.recipe.c3) {
            EXPECT_EQ(after[p3], before[p3]);
        }
        EXPECT_EQ(WordSum(after) == 0, c.recipe.wordSumZero);
        if (!c.recipe.wordSumZero) {
            EXPECT_EQ(after[balance], before[balance]);
            EXPECT_EQ(after[balance + 1], before[balance + 1]);
        }

        const FileResult<std::vector<std::uint8_t>> logo = ExtractLogo(after);
        ASSERT_TRUE(logo.ok()) << logo.error().reason;
        EXPECT_EQ(logo.value(), c.logo);
        const FileResult<ImageInspection> inspection = InspectAwardImage(after);
        ASSERT_TRUE(inspection.ok());
        EXPECT_TRUE(AllHold(VerifyImage(inspection.value())));
    }
}

// A chain whose end lies `room` bytes before boundary: a stored system module
// (0x1027 bytes with 00 C1), the logo and a stored "pad.rom" (34 header bytes)
// sized to fit; the block or module at boundary ends its room.
TestImage TightRoom(std::size_t boundary, std::size_t room) {
    TestImage recipe;
    test::TestModule system = test::SystemModule(0x1000);
    system.stored = true;
    test::TestModule logo = test::LogoModule(std::vector<std::uint8_t>(1602, 0));
    const bool split = boundary == 0x20000;
    if (split) {
        recipe.size = 0x40000;
        recipe.decompression = 0x37000;
        recipe.chains = {{0, {logo}}, {0x20000, {system}}};
    } else {
        recipe.chains = {{0, {system, logo}}};
        recipe.otherBlocks = {boundary};
    }
    const test::BuiltImage first = test::Build(recipe);
    const std::size_t logoAt = first.moduleOffsets[split ? 0 : 1];
    const std::size_t logoEnd = logoAt + ModuleLength(first.bytes, logoAt) + 1;
    recipe.chains[0].modules.push_back(
        test::StoredModule(boundary - room - logoEnd - 34 - 1, 0x4100, "pad.rom"));
    return recipe;
}

TEST(ReplaceLogo, RefusesWithWhyAndWhatToDo) {
    const auto with = [](TestImage recipe, auto change) {
        change(recipe);
        return test::Build(recipe).bytes;
    };
    const std::vector<std::uint8_t> shortLogo = test::EpaLogo(false, 4);
    const std::vector<std::uint8_t> noisyLogo = test::Noise(1602, 1);
    const TestImage a = test::LayoutA();
    const std::tuple<const char*, std::vector<std::uint8_t>, std::vector<std::uint8_t>, std::string>
        cases[] = {
            {"not an Award image", std::vector<std::uint8_t>(0x20000, 0xFF), shortLogo,
             "no boot block"},
            {"C2 wrong", with(a, [](TestImage& s) { s.c2 = false; }), shortLogo,
             "not an Award BIOS image Kalvero understands: the check \"C2\" fails"},
            {"C1 wrong", with(a, [](TestImage& s) { s.c1 = test::C1Mode::Wrong; }), shortLogo,
             "the image is damaged: the check \"C1\" fails"},
            {"header sum",
             with(a, [](TestImage& s) { s.chains[0].modules[2].badHeaderSum = true; }), shortLogo,
             "the check \"header sums\" fails: module \"awardext.rom\""},
            {"CRC", with(a, [](TestImage& s) { s.chains[0].modules[1].badCrc = true; }), shortLogo,
             "the check \"CRCs\" fails: module \"AWARDEPA.BIN\""},
            {"no logo", with(a, [](TestImage& s) { s.chains[0].modules[1].type = 0x4101; }),
             shortLogo, "no logo module (type 0x4002)"},
            {"two logos", with(a, [](TestImage& s) { s.chains[0].modules[3].type = 0x4002; }),
             shortLogo, "2 logo modules"},
            {"stored logo", with(a, [](TestImage& s) { s.chains[0].modules[1].stored = true; }),
             shortLogo, "the logo module is stored (\"-lh0-\")"},
            {"extension header",
             with(a,
                  [](TestImage& s) {
                      s.chains[0].modules[1].extension = {0x40, 0x20, 0};
                  }),
             shortLogo, "the logo module has extension headers"},
            {"old logo not EPA",
             with(a, [](TestImage& s) { s.chains[0].modules[1].data = test::Pattern(1000, 1); }),
             shortLogo, "holds no EPA logo Kalvero knows"},
            {"new logo not EPA", test::Build(a).bytes, test::Pattern(1000, 1),
             "the new logo is not an EPA logo: wrong size: 1000 bytes"},
            {"tall for short", test::Build(a).bytes, test::EpaLogo(true, 1),
             "the new logo is EPA version 1, tall logo, 136 x 126, but the image's logo is EPA "
             "version "
             "1, short logo, 136 x 84: a BIOS shows only the kind"},
            {"EPA 2.0 for version 1", test::Build(a).bytes, test::Epa2Logo(false, 1),
             "the new logo is EPA 2.0, 4-bit (16 colours), 136 x 84, but"},
            {"other EPA 2.0 size", test::Build(test::LayoutB(false)).bytes, test::Epa2Logo(true, 1),
             "the image's logo is EPA 2.0, 4-bit (16 colours), 136 x 84"},
            {"too big for the room", test::Build(TightRoom(0x3000, 20)).bytes, noisyLogo,
             "its chain has 20 bytes of free room up to 0x3000"},
            {"across 0x20000", test::Build(TightRoom(0x20000, 20)).bytes, noisyLogo,
             "its chain has 20 bytes of free room up to 0x20000"},
            {"word sum 0 without a balance word",
             with(test::LayoutB(false), [](TestImage& s) { s.balanceMark = false; }),
             test::Epa2Logo(false, 3), "no word in the boot block that keeps it so"},
        };
    for (const auto& [name, image, logo, reason] : cases) {
        const FileResult<LogoReplacement> replaced = ReplaceLogo(image, logo);
        ASSERT_FALSE(replaced.ok()) << name;
        EXPECT_NE(replaced.error().reason.find(reason), std::string::npos)
            << name << ": " << replaced.error().reason;
    }
}

// What --dry-run prints of a plan, for the ways the bytes behind the logo move.
TEST(DescribePlan, SaysHowTheBytesBehindTheLogoMove) {
    const struct {
        std::size_t moved;
        std::ptrdiff_t shift;
        const char* line;
    } cases[] = {
        {1, 1029, "1 byte behind it moves 1029 bytes later in the image"},
        {295, 691, "295 bytes behind it move 691 bytes later in the image"},
        {295, -12, "295 bytes behind it move 12 bytes earlier in the image"},
        {1, 0, "1 byte behind it stays where it was"},
        {40, 0, "40 bytes behind it stay where they were"},
    };
    for (const auto& [moved, shift, line] : cases) {
        ReplacementPlan plan{
            0x1280, 166, 857, moved,
            shift,  100, 90,  {{"C2", 0x37FFF, 0x0E, 0xB4, 1}, {"W", 0x3E054, 0x73DF, 0xFC0A, 2}}};
        EXPECT_EQ(DescribePlan(plan),
                  (std::vector<std::string>{
                      "logo module at 0x1280: packed 166 bytes before, 857 after", line,
                      "free room of its chain: 100 bytes before, 90 after",
                      "C2 at 0x37FFF: 0x0E -> 0xB4", "W at 0x3E054: 0x73DF -> 0xFC0A"}));
    }
}

} // namespace
} // namespace kalvero::bios
