#pragma once

#include "support/TestBytes.h"

#include <cstddef>
#include <cstdint>
#include <string>
#include <vector>

namespace kalvero::test {

// Synthetic Award images, laid out byte by byte here and independently of the
// code under test (only the LH5 packing comes from the core's encoder).

struct TestModule {
    std::vector<std::uint8_t> data;
    std::uint16_t type = 0x4100;
    std::string name = "module.rom";       // may hold a NUL and junk
    bool system = false;                   // followed by 00 and C1
    bool stored = false;                   // "-lh0-"
    std::vector<std::uint8_t> extension{}; // one extension header's type and data
    bool badHeaderSum = false;
    bool badCrc = false;
};

struct TestChain {
    std::size_t start = 0;
    std::vector<TestModule> modules;
};

enum class C1Mode { Holds, Wrong, Missing };

struct TestImage {
    std::size_t size = 0x20000;
    std::vector<TestChain> chains;
    std::size_t decompression = 0x1B000;
    std::string decompressionText = "= Award Decompression Bios =";
    std::string bootText = "Award BootBlock BIOS v1.0";
    std::vector<std::size_t> otherBlocks; // 16 bytes of 0x11 each, blocks of their own
    C1Mode c1 = C1Mode::Holds;
    bool c2 = true;
    bool c3 = true;
    bool wordSumZero = false;
    bool balanceMark = true; // "*BBSS*" in the boot block, the balance word 15 bytes after it
};

struct BuiltImage {
    std::vector<std::uint8_t> bytes;
    std::vector<std::size_t> moduleOffsets; // in the order of the chains
};

BuiltImage Build(const TestImage& image);
// The byte sum of bytes [from, to), and the sum of the image's 16-bit words.
std::uint8_t Sum(const std::vector<std::uint8_t>& bytes, std::size_t from, std::size_t to);
unsigned WordSum(const std::vector<std::uint8_t>& bytes);
// One module: its LHA level-1 header and its data, packed unless stored.
std::vector<std::uint8_t> ModuleBytes(const TestModule& module);

TestModule SystemModule(std::size_t size, bool version600 = false);
TestModule StoredModule(std::size_t size, std::uint16_t type, std::string name);
TestModule PackedModule(std::size_t size, std::uint16_t type, std::string name);
TestModule LogoModule(std::vector<std::uint8_t> logo);

// EPA logos: version 1 (1602 or 2367 bytes) and EPA 2.0 of 136 x 84 or 126.
std::vector<std::uint8_t> EpaLogo(bool tall, unsigned seed);
std::vector<std::uint8_t> Epa2Logo(bool tall, unsigned seed);

// One image of each layout: (A) 128 KiB, system module, logo, two modules
// behind it; (B) 256 KiB, three modules with the logo at 0, the system module
// at 0x20000 and, when asked, a module at the fixed place 0x34000; (C) 128
// KiB, a small system module at 0 and the logo and a module at 0x10000.
TestImage LayoutA();
TestImage LayoutB(bool fixedModule);
TestImage LayoutC();

} // namespace kalvero::test
