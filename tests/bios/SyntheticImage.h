#pragma once

#include "support/TestBytes.h"

#include <cstddef>
#include <cstdint>
#include <optional>
#include <string>
#include <vector>

namespace kalvero::test {

// Synthetic Award images, laid out byte by byte here and independently of the
// code under test (only the LH5 packing and its CRC-16 come from the codec,
// which its own tests check against hand-made streams and values).

struct TestModule {
    std::vector<std::uint8_t> data;
    std::uint16_t type = 0x4100;
    std::string name = "module.rom";       // may hold a NUL and junk
    bool system = false;                   // followed by 00 and C1
    bool stored = false;                   // "-lh0-"
    std::vector<std::uint8_t> extension{}; // one extension header's type and data
    bool badHeaderSum = false;
    bool badCrc = false;
    bool ffAfter = false; // 0xFF where the 00 after it stands
};

struct TestChain {
    std::size_t start = 0;
    std::vector<TestModule> modules;
    bool ffEnd = false; // 0xFF, not 00, after the last module
};

// Bytes of their own at a fixed place: a block no module names.
struct TestBlock {
    std::size_t offset = 0;
    std::vector<std::uint8_t> bytes = std::vector<std::uint8_t>(16, 0x11);
};

enum class C1Mode { Holds, Wrong, Missing };

struct TestImage {
    std::size_t size = 0x20000;
    std::vector<TestChain> chains;
    std::size_t decompression = 0x1B000;
    std::string decompressionText = "= Award Decompression Bios =";
    std::string bootText = "Award BootBlock BIOS v1.0";
    std::vector<TestBlock> otherBlocks;
    C1Mode c1 = C1Mode::Holds;
    bool c2 = true;
    bool c3 = true;
    std::uint8_t c3Miss = 1; // what C3 is off by where it does not hold
    bool wordSumZero = false;
    std::optional<std::uint16_t> balance; // the balance word, whatever the word sum
    bool balanceMark = true; // "*BBSS*" in the boot block, the balance word 15 bytes after it
};

struct BuiltImage {
    std::vector<std::uint8_t> bytes;
    std::vector<std::size_t> moduleOffsets; // in the order of the chains
    std::vector<std::size_t> chainEnds;     // the 0xFF after each chain's last separator
};

BuiltImage Build(const TestImage& image);
// The byte sum of bytes [from, to).
std::uint8_t Sum(const std::vector<std::uint8_t>& bytes, std::size_t from, std::size_t to);
// One module: its LHA level-1 header and its data, packed unless stored.
std::vector<std::uint8_t> ModuleBytes(const TestModule& module);

TestModule SystemModule(std::size_t size, bool version600 = false);
TestModule StoredModule(std::size_t size, std::uint16_t type, std::string name);
TestModule PackedModule(std::size_t size, std::uint16_t type, std::string name);
TestModule LogoModule(std::vector<std::uint8_t> logo);
TestModule FullScreenModule(std::vector<std::uint8_t> logo);

// An EPA version-1 logo of 17 x rows cells (6: 1602 bytes, 9: 2367 bytes),
// and an EPA 2.0 image of 16 colours.
std::vector<std::uint8_t> EpaLogo(int rows, unsigned seed);
std::vector<std::uint8_t> Epa2Logo(int width, int height, unsigned seed);

// One image of each layout: (A) 128 KiB, system module, logo, full-screen
// logos when given, two modules behind them; (B) 256 KiB, three modules with
// the logo at 0, the system module at 0x20000 and, when asked, a module at the
// fixed place 0x34000; (C) 128 KiB, a small system module at 0 and the logo
// and a module at 0x10000.
TestImage LayoutA(const std::vector<std::vector<std::uint8_t>>& fullScreen = {});
TestImage LayoutB(bool fixedModule);
TestImage LayoutC();

} // namespace kalvero::test
