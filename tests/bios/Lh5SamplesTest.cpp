// Real BIOS images, when KALVERO_BIOS_SAMPLES names a folder of them: every
// module decodes to its CRC, and our packing of each logo decodes back and is,
// summed over the images, no bigger than the BIOS maker's.

#include "bios/Crc16.h"
#include "bios/Lh5Decoder.h"
#include "bios/Lh5Encoder.h"
#include "support/LhaSamples.h"

#include <gtest/gtest.h>

namespace kalvero::bios {
namespace {

TEST(Lh5Samples, EveryModuleDecodesAndOurLogosAreNoBigger) {
    const std::filesystem::path folder = test::SampleFolder();
    if (folder.empty()) {
        GTEST_SKIP() << "KALVERO_BIOS_SAMPLES is not set: no real BIOS images to check";
    }
    std::size_t makers = 0;
    std::size_t ours = 0;
    for (const test::SampleImage& image : test::LoadSampleImages(folder)) {
        ASSERT_FALSE(image.modules.empty()) << image.name;
        int logos = 0;
        for (const test::SampleModule& module : image.modules) {
            const std::span<const std::uint8_t> packed = image.packed(module);
            if (module.method == "-lh0-") {
                EXPECT_EQ(Crc16(packed), module.crc) << image.name << " " << module.offset;
                continue;
            }
            const FileResult<std::vector<std::uint8_t>> data =
                DecodeLh5(packed, module.originalSize);
            ASSERT_TRUE(data.ok())
                << image.name << " " << module.offset << ": " << data.error().reason;
            EXPECT_EQ(Crc16(data.value()), module.crc) << image.name << " " << module.offset;
            if (module.type != test::LogoModuleType) {
                continue;
            }
            ++logos;
            const std::vector<std::uint8_t> ourPacking = EncodeLh5(data.value());
            const FileResult<std::vector<std::uint8_t>> back =
                DecodeLh5(ourPacking, data.value().size());
            ASSERT_TRUE(back.ok()) << image.name;
            EXPECT_EQ(back.value(), data.value()) << image.name;
            makers += module.packedSize;
            ours += ourPacking.size();
        }
        EXPECT_EQ(logos, 1) << image.name;
    }
    EXPECT_LE(ours, makers);
}

} // namespace
} // namespace kalvero::bios
