#include "bios/Lh5Encoder.h"

#include "bios/Crc16.h"
#include "bios/Lh5Decoder.h"
#include "support/TempDir.h"

#include <cstdlib>
#include <filesystem>
#include <gtest/gtest.h>
#include <random>
#include <string>

namespace kalvero::bios {
namespace {

using Bytes = std::vector<std::uint8_t>;

Bytes RandomBytes(std::size_t length, unsigned seed) {
    std::mt19937 random(seed);
    Bytes bytes(length);
    for (std::uint8_t& byte : bytes) {
        byte = static_cast<std::uint8_t>(random());
    }
    return bytes;
}

Bytes TextLike(std::size_t length) {
    static const char* const words[] = {"the ",   "boot ",     "logo ",   "shows ",
                                        "at ",    "power-on ", "BIOS ",   "image, ",
                                        "cells ", "of ",       "8 x 14 ", "\r\n"};
    std::mt19937 random(7);
    Bytes text;
    while (text.size() < length) {
        const std::string_view word = words[random() % std::size(words)];
        text.insert(text.end(), word.begin(), word.end());
    }
    text.resize(length);
    return text;
}

// Pieces repeated 8190, 8191, 8192 and 8193 bytes later, between random bytes.
Bytes FarRepeats() {
    Bytes bytes = RandomBytes(40000, 3);
    for (const std::size_t distance : {8190U, 8191U, 8192U, 8193U}) {
        const std::size_t from = distance * 3;
        std::copy_n(bytes.begin() + static_cast<std::ptrdiff_t>(from), 300,
                    bytes.begin() + static_cast<std::ptrdiff_t>(from + distance));
    }
    return bytes;
}

Bytes SampleFile(const char* name) {
    return test::ReadBytes(std::filesystem::path(__FILE__).parent_path() / "../../samples" / name);
}

struct Input {
    const char* name;
    Bytes data;
};

std::vector<Input> Inputs() {
    Bytes steps(70000);
    for (std::size_t i = 0; i < steps.size(); ++i) {
        steps[i] = static_cast<std::uint8_t>(i / 300);
    }
    return {
        {"empty", {}},
        {"one byte", {0x5A}},
        {"three bytes", {1, 1, 1}},
        {"all equal, 64 KiB", Bytes(65536, 0xAA)},
        {"random, more codes than one block holds", RandomBytes(70000, 1)},
        {"text", TextLike(30000)},
        {"repeats near 8191 bytes back", FarRepeats()},
        {"runs of 300", steps},
        {"EPA logo", SampleFile("kalvero.epa")},
        {"16-colour bitmap", SampleFile("kalvero-16.bmp")},
    };
}

TEST(EncodeLh5, DecodesBackToItsInput) {
    for (const auto& [name, data] : Inputs()) {
        const Bytes packed = EncodeLh5(data);
        const FileResult<Bytes> decoded = DecodeLh5(packed, data.size());
        ASSERT_TRUE(decoded.ok()) << name << ": " << decoded.error().reason;
        EXPECT_EQ(decoded.value(), data) << name;
    }
}

TEST(EncodeLh5, PacksRepeatsAndAddsLittleToNoise) {
    EXPECT_LT(EncodeLh5(Bytes(65536, 0xAA)).size(), 100U);
    const Bytes noise = RandomBytes(20000, 2);
    EXPECT_LE(EncodeLh5(noise).size(), noise.size() + noise.size() / 100);
    EXPECT_TRUE(EncodeLh5({}).empty());
    // Two more copies of 1000 random bytes cost a few bytes, not 2000.
    Bytes thrice = RandomBytes(1000, 4);
    thrice.insert(thrice.end(), thrice.begin(), thrice.end());
    thrice.insert(thrice.end(), thrice.begin(), thrice.begin() + 1000);
    EXPECT_LT(EncodeLh5(thrice).size(), 1000U + 100U);
}

// A one-entry LHA archive (level-1 header) around packed data.
Bytes LhaArchive(const Bytes& data, const Bytes& packed) {
    const std::string name = "data.bin";
    Bytes archive = {0, 0, '-', 'l', 'h', '5', '-'};
    const auto put32 = [&](std::uint32_t value) {
        for (int shift = 0; shift < 32; shift += 8) {
            archive.push_back(static_cast<std::uint8_t>(value >> shift));
        }
    };
    put32(static_cast<std::uint32_t>(packed.size()));
    put32(static_cast<std::uint32_t>(data.size()));
    put32(0x5A8C6000);       // 2025-04-12 12:00:00, MS-DOS time
    archive.push_back(0x20); // attribute: archive
    archive.push_back(1);    // header level
    archive.push_back(static_cast<std::uint8_t>(name.size()));
    archive.insert(archive.end(), name.begin(), name.end());
    const std::uint16_t crc = Crc16(data);
    archive.push_back(static_cast<std::uint8_t>(crc));
    archive.push_back(static_cast<std::uint8_t>(crc >> 8));
    archive.push_back('U'); // made on Unix
    archive.push_back(0);   // no extension header
    archive.push_back(0);
    archive[0] = static_cast<std::uint8_t>(archive.size() - 2);
    unsigned sum = 0;
    for (std::size_t i = 2; i < archive.size(); ++i) {
        sum += archive[i];
    }
    archive[1] = static_cast<std::uint8_t>(sum);
    archive.insert(archive.end(), packed.begin(), packed.end());
    archive.push_back(0); // end of the archive
    return archive;
}

TEST(EncodeLh5, LhasaExtractsWhatWePack) {
    if (std::system("command -v lha >/dev/null 2>&1") != 0) {
        GTEST_SKIP() << "lha (Debian's lhasa) is not installed";
    }
    for (const auto& [name, data] : Inputs()) {
        const test::TempDir dir;
        test::WriteBytes(dir.file("data.lzh"), LhaArchive(data, EncodeLh5(data)));
        const std::string command = "cd '" + dir.path().string() + "' && lha xq data.lzh";
        ASSERT_EQ(std::system(command.c_str()), 0) << name;
        EXPECT_EQ(test::ReadBytes(dir.file("data.bin")), data) << name;
    }
}

} // namespace
} // namespace kalvero::bios
