#include "bios/SyntheticImage.h"

#include "lh5/Crc16.h"
#include "lh5/Lh5Encoder.h"
#include "support/TestBytes.h"

#include <algorithm>
#include <numeric>

namespace kalvero::test {
namespace {

constexpr std::size_t BootBlockSize = 0x2000;
constexpr std::size_t MarkOffset = 0x45;       // "*BBSS*" in the boot block
constexpr std::size_t BalanceOffset = 0x54;    // the word 15 bytes after it
constexpr std::size_t FallbackBalance = 0x100; // balances W when there is no mark

void PutWord(std::vector<std::uint8_t>& bytes, std::size_t at, unsigned value) {
    bytes[at] = static_cast<std::uint8_t>(value);
    bytes[at + 1] = static_cast<std::uint8_t>(value >> 8);
}

void AppendLong(std::vector<std::uint8_t>& bytes, std::size_t value) {
    for (int shift = 0; shift < 32; shift += 8) {
        bytes.push_back(static_cast<std::uint8_t>(value >> shift));
    }
}

void Put(std::vector<std::uint8_t>& bytes, std::size_t at, const std::string& text) {
    std::copy(text.begin(), text.end(), bytes.begin() + static_cast<long>(at));
}

unsigned WordSum(const std::vector<std::uint8_t>& bytes) {
    unsigned sum = 0;
    for (std::size_t i = 0; i < bytes.size(); i += 2) {
        sum += bytes[i] | bytes[i + 1] << 8;
    }
    return sum & 0xFFFF;
}

} // namespace

std::uint8_t Sum(const std::vector<std::uint8_t>& bytes, std::size_t from, std::size_t to) {
    return static_cast<std::uint8_t>(std::accumulate(bytes.begin() + static_cast<long>(from),
                                                     bytes.begin() + static_cast<long>(to), 0U));
}

std::vector<std::uint8_t> ModuleBytes(const TestModule& module) {
    const std::vector<std::uint8_t> packed =
        module.stored ? module.data : lh5::EncodeLh5(module.data);
    std::vector<std::uint8_t> extension = module.extension;
    if (!extension.empty()) {
        extension.insert(extension.end(), {0, 0}); // no further extension header
    }
    std::vector<std::uint8_t> bytes{
        static_cast<std::uint8_t>(25 + module.name.size()),    0,  '-', 'l', 'h',
        module.stored ? std::uint8_t('0') : std::uint8_t('5'), '-'};
    AppendLong(bytes, packed.size() + extension.size());
    AppendLong(bytes, module.data.size());
    bytes.insert(bytes.end(), {0, 0, static_cast<std::uint8_t>(module.type),
                               static_cast<std::uint8_t>(module.type >> 8), 0x20, 1,
                               static_cast<std::uint8_t>(module.name.size())});
    bytes.insert(bytes.end(), module.name.begin(), module.name.end());
    const unsigned crc = lh5::Crc16(module.data) ^ (module.badCrc ? 1U : 0U);
    bytes.insert(bytes.end(), {static_cast<std::uint8_t>(crc), static_cast<std::uint8_t>(crc >> 8),
                               0x20, static_cast<std::uint8_t>(extension.size()),
                               static_cast<std::uint8_t>(extension.size() >> 8)});
    bytes[1] =
        static_cast<std::uint8_t>(Sum(bytes, 2, bytes.size()) + (module.badHeaderSum ? 1 : 0));
    bytes.insert(bytes.end(), extension.begin(), extension.end());
    bytes.insert(bytes.end(), packed.begin(), packed.end());
    return bytes;
}

BuiltImage Build(const TestImage& image) {
    BuiltImage built{std::vector<std::uint8_t>(image.size, 0xFF), {}, {}};
    std::vector<std::uint8_t>& bytes = built.bytes;
    for (const TestChain& chain : image.chains) {
        std::size_t at = chain.start;
        for (const TestModule& module : chain.modules) {
            const std::vector<std::uint8_t> packed = ModuleBytes(module);
            built.moduleOffsets.push_back(at);
            std::copy(packed.begin(), packed.end(), bytes.begin() + static_cast<long>(at));
            const std::uint8_t sum = Sum(packed, 0, packed.size());
            at += packed.size();
            if (chain.ffEnd && &module == &chain.modules.back()) {
                break;
            }
            bytes[at++] = module.ffAfter ? 0xFF : 0x00;
            if (module.system && image.c1 != C1Mode::Missing) {
                bytes[at++] = static_cast<std::uint8_t>(sum + (image.c1 == C1Mode::Wrong ? 1 : 0));
            }
        }
        built.chainEnds.push_back(at);
    }
    for (const TestBlock& block : image.otherBlocks) {
        std::copy(block.bytes.begin(), block.bytes.end(),
                  bytes.begin() + static_cast<long>(block.offset));
    }

    const std::size_t boot = image.size - BootBlockSize;
    const std::vector<std::uint8_t> code = Pattern(BootBlockSize, 3);
    std::copy(code.begin(), code.end(), bytes.begin() + static_cast<long>(boot));
    Put(bytes, boot, image.bootText);
    Put(bytes, boot + MarkOffset, image.balanceMark ? "*BBSS*" : "*NONE*");
    const std::size_t balance = boot + (image.balanceMark ? BalanceOffset : FallbackBalance);
    PutWord(bytes, balance, 0);

    const std::size_t p3 = image.decompression / 0x1000 * 0x1000 + 0xFFE;
    const std::size_t p2 = p3 + 1;
    const std::vector<std::uint8_t> block = Pattern(p3 - image.decompression, 5);
    std::copy(block.begin(), block.end(), bytes.begin() + static_cast<long>(image.decompression));
    Put(bytes, image.decompression, image.decompressionText);
    bytes[p3] = static_cast<std::uint8_t>(Sum(bytes, 0, p3) + (image.c3 ? 0 : image.c3Miss));
    bytes[p2] = static_cast<std::uint8_t>(Sum(bytes, image.decompression, p2) + (image.c2 ? 0 : 1));

    const unsigned words = WordSum(bytes);
    if (image.balance) {
        PutWord(bytes, balance, *image.balance);
    } else if (image.wordSumZero) {
        PutWord(bytes, balance, 0x10000 - words);
    } else if (words == 0) {
        PutWord(bytes, balance, 1);
    }
    return built;
}

TestModule SystemModule(std::size_t size, bool version600) {
    // A NUL and junk in the name, as real images have.
    TestModule module{
        .data = Pattern(size, 1), .type = 0x5000, .name = std::string("BIOS.BIN\0\xFD", 10)};
    module.system = true;
    const std::string version =
        version600 ? "Award Modular BIOS v6.00PG" : "Award Modular BIOS v4.51PG";
    std::copy(version.begin(), version.end(), module.data.begin() + 0x40);
    return module;
}

TestModule StoredModule(std::size_t size, std::uint16_t type, std::string name) {
    TestModule module = PackedModule(size, type, std::move(name));
    module.stored = true;
    return module;
}

TestModule PackedModule(std::size_t size, std::uint16_t type, std::string name) {
    return {.data = Pattern(size, type & 0xF), .type = type, .name = std::move(name)};
}

TestModule LogoModule(std::vector<std::uint8_t> logo) {
    return {.data = std::move(logo), .type = 0x4002, .name = "AWARDEPA.BIN"};
}

TestModule FullScreenModule(std::vector<std::uint8_t> logo) {
    return {.data = std::move(logo), .type = 0x4000, .name = "fullscrn.bmp"};
}

std::vector<std::uint8_t> EpaLogo(int rows, unsigned seed) {
    const std::size_t cells = 17 * static_cast<std::size_t>(rows);
    std::vector<std::uint8_t> logo{17, static_cast<std::uint8_t>(rows)};
    for (std::size_t cell = 0; cell < cells; ++cell) {
        logo.push_back(static_cast<std::uint8_t>((cell / 17 + seed) % 16));
    }
    for (std::size_t cell = 0; cell < cells; ++cell) {
        for (std::size_t line = 0; line < 14; ++line) {
            logo.push_back(cell % (seed + 2) == 0 ? static_cast<std::uint8_t>(line * 17 + seed)
                                                  : 0);
        }
    }
    logo.resize(logo.size() + 70, 0x3C); // the trailer
    return logo;
}

std::vector<std::uint8_t> Epa2Logo(int width, int height, unsigned seed) {
    const auto w = static_cast<std::size_t>(width);
    const auto h = static_cast<std::size_t>(height);
    const std::size_t planeBytes = (w + 7) / 8;
    std::vector<std::uint8_t> image{'A', 'W', 'B', 'M', 0, 0, 0, 0};
    PutWord(image, 4, width);
    PutWord(image, 6, height);
    image.resize(8 + h * 4 * planeBytes);
    // Each row: four planes of one bit a pixel, the left pixel in the high bit.
    for (std::size_t y = 0; y < h; ++y) {
        for (std::size_t x = 0; x < w; ++x) {
            const std::size_t colour = (y / (seed + 4) + x / 32) % 16;
            for (std::size_t plane = 0; plane < 4; ++plane) {
                image[8 + (y * 4 + plane) * planeBytes + x / 8] |=
                    static_cast<std::uint8_t>((colour >> plane & 1) << (7 - x % 8));
            }
        }
    }
    image.insert(image.end(), {'R', 'G', 'B', ' '});
    for (std::size_t i = 0; i < 48; ++i) {
        image.push_back(static_cast<std::uint8_t>((i * 4 + seed) % 64));
    }
    return image;
}

TestImage LayoutA(const std::vector<std::vector<std::uint8_t>>& fullScreen) {
    TestImage image;
    image.chains = {{0, {SystemModule(0x6000), LogoModule(EpaLogo(6, 1))}}};
    for (const std::vector<std::uint8_t>& logo : fullScreen) {
        image.chains[0].modules.push_back(FullScreenModule(logo));
    }
    image.chains[0].modules.push_back(PackedModule(0x1800, 0x4100, "awardext.rom"));
    image.chains[0].modules.push_back(StoredModule(0x200, 0x400E, "awardeyt.rom"));
    image.otherBlocks = {{0x1A000}};
    return image;
}

TestImage LayoutB(bool fixedModule) {
    TestImage image;
    image.size = 0x40000;
    image.decompression = 0x37400;
    image.chains = {{0,
                     {PackedModule(0x2000, 0x4001, "CPUCODE.BIN"), LogoModule(Epa2Logo(136, 84, 1)),
                      StoredModule(0x100, 0x4003, std::string("ACPI.BIN\0x", 10))}},
                    {0x20000, {SystemModule(0x8000)}}};
    if (fixedModule) {
        image.chains.push_back({0x34000, {PackedModule(0x800, 0x5000, "fixed.bmp")}});
    }
    image.otherBlocks = {{0x36000}};
    image.wordSumZero = true;
    return image;
}

TestImage LayoutC() {
    TestImage image;
    image.chains = {
        {0, {SystemModule(0x4000)}},
        {0x10000, {LogoModule(EpaLogo(9, 2)), PackedModule(0x1000, 0x4086, "scsi.rom")}}};
    image.c3 = false;
    return image;
}

} // namespace kalvero::test
