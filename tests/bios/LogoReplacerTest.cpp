#include "bios/LogoReplacer.h"

#include "bios/ImageInspection.h"
#include "bios/ReplacementProof.h"
#include "bios/SyntheticImage.h"

#include <functional>
#include <gtest/gtest.h>

namespace kalvero::bios {
namespace {

using test::Sum;
using test::TestImage;
using Bytes = std::vector<std::uint8_t>;

// The recipe with logo in the modules of the type (only the last of them with
// lastOnly): what Build makes of it is what a replacement must make of the
// recipe's image, but that a C3 which does not hold is kept as it was.
TestImage WithLogo(TestImage recipe, std::uint16_t type, const Bytes& logo, bool lastOnly) {
    test::TestModule* last = nullptr;
    for (test::TestChain& chain : recipe.chains) {
        for (test::TestModule& module : chain.modules) {
            if (module.type == type) {
                module.data = lastOnly ? module.data : logo;
                last = &module;
            }
        }
    }
    last->data = logo;
    return recipe;
}

// The recipe with 2E 00 right after the 0xFF that ends its first chain.
TestImage StrayAfterEnd(TestImage recipe) {
    recipe.otherBlocks.push_back({test::Build(recipe).chainEnds[0] + 1, {0x2E, 0x00}});
    return recipe;
}

// The recipe with C3 and the word sum off until its logo is replaced by logo:
// then the new bytes sum to the stored C3 byte, and the words to 0.
TestImage HoldByChance(TestImage recipe, const Bytes& logo) {
    recipe.c3 = false;
    const Bytes old = test::Build(recipe).bytes;
    TestImage replaced = WithLogo(recipe, 0x4002, logo, false);
    replaced.c3 = true;
    replaced.wordSumZero = true;
    const Bytes now = test::Build(replaced).bytes;
    const std::size_t p3 = recipe.decompression / 0x1000 * 0x1000 + 0xFFE;
    const std::size_t balance = recipe.size - 0x2000 + 0x54;
    recipe.c3Miss = static_cast<std::uint8_t>(Sum(now, 0, p3) - Sum(old, 0, p3));
    recipe.balance = static_cast<std::uint16_t>(now[balance] | now[balance + 1] << 8);
    return recipe;
}

// A version-1 logo of 6 or 9 rows, noise or (seed 0) zero bytes behind its
// counts.
Bytes NoiseLogo(unsigned seed, std::uint8_t rows = 6) {
    const std::size_t length = rows == 6 ? 1602 : 2367;
    Bytes logo = seed == 0 ? Bytes(length, 0) : test::Noise(length, seed);
    logo[0] = 17, logo[1] = rows;
    return logo;
}

// How many bytes a module holding logo in place of old grows.
std::size_t Growth(const Bytes& old, const Bytes& logo) {
    return test::ModuleBytes(test::LogoModule(logo)).size() -
           test::ModuleBytes(test::LogoModule(old)).size();
}

// A stored system module, a logo of 1602 zero bytes and a stored "pad.rom"
// (34 header bytes) sized so that the chain has `room` bytes of free room up
// to 0x3000, where a block begins.
TestImage TightRoom(std::size_t room) {
    TestImage recipe;
    test::TestModule system = test::SystemModule(0x1000);
    system.stored = true;
    recipe.chains = {{0, {system, test::LogoModule(NoiseLogo(0))}}};
    recipe.otherBlocks = {{0x3000}};
    const std::size_t end = test::Build(recipe).chainEnds[0];
    recipe.chains[0].modules.push_back(
        test::StoredModule(0x3000 - room - 1 - end - 34 - 1, 0x4100, "pad.rom"));
    return recipe;
}

// A recipe with one change.
template <typename Change> TestImage With(TestImage recipe, Change change) {
    change(recipe.chains[0].modules);
    return recipe;
}

using Modules = std::vector<test::TestModule>;

struct ReplaceCase {
    const char* name;
    TestImage recipe;
    Bytes logo;
    LogoPlace place = LogoPlace::Boot;
    bool lastOnly = false;
};

std::vector<ReplaceCase> ReplaceCases() {
    TestImage wide = With(test::LayoutA(), [](Modules& m) { // 256 KiB, one chain across 0x20000
        m.insert(m.begin() + 1, test::StoredModule(0x1F000, 0x4001, "big.rom"));
    });
    wide.size = 0x40000;
    wide.decompression = 0x37000;
    wide.otherBlocks.clear();
    TestImage ffEnd = test::LayoutA();
    ffEnd.chains[0].ffEnd = true;
    TestImage shrinking = test::LayoutC();
    shrinking.chains[1].modules[0].data = NoiseLogo(4, 9);
    const TestImage noisy = With(test::LayoutA(), [](Modules& m) { m[1].data = NoiseLogo(2); });
    const Bytes screen = test::Epa2Logo(64, 48, 1);
    const Bytes newScreen = test::Epa2Logo(64, 48, 3);
    const Bytes noise = NoiseLogo(1);
    const auto full = LogoPlace::FullScreen;
    // Without the palette block: "RGB " and 48 bytes.
    const Bytes bare(screen.begin(), screen.end() - 52);
    const Bytes newBare(newScreen.begin(), newScreen.end() - 52);
    return {
        {"A, 256 KiB", wide, test::EpaLogo(6, 5)},
        {"A, 0xFF in place of the last 00", ffEnd, test::EpaLogo(6, 4)},
        {"A, bytes right after the end", StrayAfterEnd(noisy), test::EpaLogo(6, 4)},
        {"A, 17 x 2 cells",
         With(test::LayoutA(), [](Modules& m) { m[1].data = test::EpaLogo(2, 1); }),
         test::EpaLogo(2, 5)},
        {"A, a logo that fills the room", TightRoom(Growth(NoiseLogo(0), noise)), noise},
        {"B, fixed module, word sum 0", test::LayoutB(true), test::Epa2Logo(136, 84, 2)},
        {"C, C3 not held, a smaller logo", shrinking, test::EpaLogo(9, 3)},
        {"A, C3 and W not used, then holding by chance", HoldByChance(test::LayoutA(), noise),
         noise},
        {"full-screen", test::LayoutA({screen}), newScreen, full},
        {"two full-screen, the same", test::LayoutA({screen, screen}), newScreen, full},
        {"two full-screen, different", test::LayoutA({screen, newScreen}), screen, full, true},
        {"two full-screen without a palette", test::LayoutA({bare, bare}), newBare, full},
    };
}

TEST(ReplaceLogo, ChangesOnlyTheModulesTheChainBehindThemAndTheCheckBytes) {
    for (const ReplaceCase& c : ReplaceCases()) {
        SCOPED_TRACE(c.name);
        const test::BuiltImage built = test::Build(c.recipe);
        const std::uint16_t type = c.place == LogoPlace::Boot ? 0x4002 : 0x4000;
        test::BuiltImage expected = test::Build(WithLogo(c.recipe, type, c.logo, c.lastOnly));
        if (!c.recipe.c3) {
            const std::size_t p3 = c.recipe.decompression / 0x1000 * 0x1000 + 0xFFE;
            expected.bytes[p3] = built.bytes[p3];
            expected.bytes[p3 + 1] = Sum(expected.bytes, c.recipe.decompression, p3 + 1);
        }
        const FileResult<Replacement> replaced = ReplaceLogo(built.bytes, c.logo, c.place);
        ASSERT_TRUE(replaced.ok()) << replaced.error().reason.english();
        EXPECT_EQ(replaced.value().plan.note.empty(), !c.lastOnly);
        EXPECT_TRUE(replaced.value().image == expected.bytes);

        // The last module's bytes behind it move as far as the chain's end,
        // and its room shrinks by as much.
        std::ptrdiff_t growth = 0;
        for (std::size_t i = 0; i < built.chainEnds.size(); ++i) {
            growth += static_cast<std::ptrdiff_t>(expected.chainEnds[i] - built.chainEnds[i]);
        }
        const ModuleChange& last = replaced.value().plan.modules.back();
        EXPECT_EQ(last.shift, growth);
        EXPECT_EQ(static_cast<std::ptrdiff_t>(last.roomBefore - last.roomAfter), growth);
    }
}

TEST(ReplaceLogo, RefusesWithWhyAndWhatToDo) {
    const Bytes logo = test::EpaLogo(6, 4);
    const Bytes noise = NoiseLogo(1);
    const Bytes screen = test::Epa2Logo(64, 48, 1);
    const std::size_t growth = Growth(NoiseLogo(0), noise);
    // A logo module's header is 27 + 12 bytes.
    const std::string packs =
        "the new logo packs to " +
        std::to_string(test::ModuleBytes(test::LogoModule(noise)).size() - 39) +
        " bytes, 1 more than fit: the old logo took " +
        std::to_string(test::ModuleBytes(test::LogoModule(NoiseLogo(0))).size() - 39) +
        ", and its chain has " + std::to_string(growth - 1) + " bytes of free room up to ";
    const TestImage a = test::LayoutA();
    TestImage c2 = a;
    c2.c2 = false;
    TestImage noBalance = test::LayoutB(false);
    noBalance.balanceMark = false;
    const auto boot = LogoPlace::Boot;
    const std::tuple<TestImage, Bytes, LogoPlace, std::string> cases[] = {
        {c2, logo, boot, "not an Award BIOS image Kalvero understands: the check \"C2\" fails"},
        {With(a, [](Modules& m) { m[2].badHeaderSum = true; }), logo, boot,
         "the image is damaged: the check \"header sums\" fails: module \"awardext.rom\""},
        {With(a, [](Modules& m) { m[1].stored = true; }), logo, boot,
         "is stored (\"-lh0-\"), not packed"},
        {With(a,
              [](Modules& m) {
                  m[1].extension = {0x40, 0x20, 0};
              }),
         logo, boot, "has extension headers"},
        {a, test::EpaLogo(2, 1), boot,
         "the new logo is EPA version 1, 17 x 2 cells, 136 x 28, but the image's logo is EPA "
         "version 1, short logo, 136 x 84: a BIOS shows only the kind"},
        {test::LayoutA({screen}), test::Epa2Logo(64, 40, 1), LogoPlace::FullScreen,
         "the new logo is EPA 2.0, 4-bit (16 colours), 64 x 40, but the image's full-screen logo "
         "is EPA 2.0, 4-bit (16 colours), 64 x 48"},
        {test::LayoutA({Bytes(screen.begin(), screen.end() - 52)}), screen, LogoPlace::FullScreen,
         "the new logo is EPA 2.0, 4-bit (16 colours), 64 x 48, but the image's full-screen logo "
         "is EPA 2.0, 4-bit (16 standard VGA colours, no palette), 64 x 48"},
        {TightRoom(growth - 1), noise, boot, packs + "0x3000."},
        {StrayAfterEnd(a), noise, boot, "its chain has 0 bytes of free room"},
        {noBalance, test::Epa2Logo(136, 84, 3), boot, "no word in the boot block that keeps it so"},
        // Read two ways: 0xFF for the 00 behind the logo, or the system
        // module's 00 with C1 behind it; a module of type 0x5000 in the middle.
        {With(a, [](Modules& m) { m[1].ffAfter = true; }), logo, boot,
         "the image can be read two ways: 0xFF at 0x1259 ends the chain behind the module at "
         "0x11F7, but a module header with a valid sum starts at 0x125A, where a reader that "
         "takes 0xFF for the separator 00 goes on. Kalvero changes only"},
        {With(a, [](Modules& m) { m[0].ffAfter = true; }), logo, boot,
         "where a reader that takes 0xFF and C1 for 00 and C1 goes on"},
        {With(a, [](Modules& m) { m[2].type = 0x5000; }), logo, boot,
         "has the system module's type 0x5000 but is not the system module"},
    };
    for (const auto& [recipe, newLogo, place, reason] : cases) {
        const FileResult<Replacement> replaced =
            ReplaceLogo(test::Build(recipe).bytes, newLogo, place);
        ASSERT_FALSE(replaced.ok()) << reason;
        EXPECT_EQ(replaced.error().problem, FileProblem::NotAccepted) << reason;
        EXPECT_NE(replaced.error().reason.english().find(reason), std::string::npos)
            << replaced.error().reason.english();
    }
}

// The proof refuses a result that is not what it must be, whatever made it
// so, even a walk of the old image that went wrong.
TEST(ProveReplacement, RefusesTamperedResults) {
    TestImage recipe = test::LayoutA();
    recipe.chains[0].modules[1].data = NoiseLogo(2);            // the new logo packs smaller
    recipe.chains[0].modules[2].extension = {0x50, 0x12, 0x34}; // no check covers it
    recipe.chains[0].ffEnd = true;
    const test::BuiltImage built = test::Build(recipe);
    struct Result {
        Bytes image;
        ReplacementPlan plan;
        ImageInspection old;
        Bytes logo;
    };
    const Bytes logo = test::EpaLogo(6, 4);
    const FileResult<Replacement> done = ReplaceLogo(built.bytes, logo, LogoPlace::Boot);
    ASSERT_TRUE(done.ok()) << done.error().reason.english();
    const Replacement& replaced = done.value();
    const Result result{replaced.image, replaced.plan, InspectAwardImage(built.bytes).value(),
                        logo};
    // Where a byte of the old image is after the logo shrank.
    const auto moved = [&](std::size_t offset) {
        return offset + replaced.plan.modules[0].shift;
    };
    const auto restore = [](Result& r) {
        RestoreChecks(r.image, r.old.image);
    };
    const std::pair<std::function<void(Result&)>, std::string> cases[] = {
        {[](Result& r) { r.image[0x1E100] ^= 1; }, "the byte at 0x1E100 changed"},
        {[&](Result& r) { r.image[moved(built.moduleOffsets[2] + 40)] ^= 1, restore(r); },
         "the moved module at "}, // the data of its extension header
        {[](Result& r) { r.image[0x1BFFF] ^= 1; }, "the check \"C2\" fails"},
        {[](Result& r) {
             r.image[0x1BFFE] ^= 1, r.image[0x1BFFF] = Sum(r.image, 0x1B000, 0x1BFFF);
         },
         "a check that held before no longer holds"},
        {[](Result& r) { r.image.pop_back(); }, "its size changed"},
        {[&](Result& r) { r.image[moved(built.moduleOffsets[3] - 1)] = 0xFF; },
         "the check \"separators\" fails"}, // the module behind 0xFF is still there
        {[&](Result& r) {
             r.image[moved(built.moduleOffsets[3] - 1)] = 0xFF;
             r.image[moved(built.moduleOffsets[3] + 2)] = 'x';
         },
         "its layout or its chains changed"},
        {[&](Result& r) { r.image[moved(built.chainEnds[0])] = 0x00; },
         "is not the one that was there"}, // 00 where 0xFF ended the chain
        {[](Result& r) { r.logo = test::EpaLogo(6, 5); }, "unpacks to other data"},
        {[](Result& r) { r.plan.areas[0].end = 0x1A000; }, "its chain runs past its free room"},
        {[&](Result& r) {
             r.old.image.chains[0].roomEnd = 0x1B000, r.plan.areas[0].end = 0x1A001;
             r.image[0x1A000] = 0xFF, restore(r);
         },
         "its chain was written over the byte at 0x1A000, which was not 0xFF"},
    };
    for (const auto& [tamper, reason] : cases) {
        Result r = result;
        tamper(r);
        const FileStatus proven =
            ProveReplacement(built.bytes, r.old, r.image, {{1, r.logo}}, r.plan);
        ASSERT_FALSE(proven.ok()) << reason;
        EXPECT_EQ(proven.error().problem, FileProblem::Other) << reason;
        EXPECT_NE(proven.error().reason.english().find(reason), std::string::npos)
            << proven.error().reason.english();
    }
}

} // namespace
} // namespace kalvero::bios
