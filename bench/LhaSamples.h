#pragma once

#include <cstdint>
#include <filesystem>
#include <span>
#include <string>
#include <vector>

namespace kalvero::bench {

// An LHA level-1 module header found in a BIOS image, and where its data is.
struct SampleModule {
    std::size_t offset = 0; // of the header
    std::string method;     // "-lh5-" or "-lh0-"
    std::uint16_t type = 0; // the word at header offset 17; 0x4002 is the EPA logo
    std::uint16_t crc = 0;  // of the original data
    std::size_t dataOffset = 0;
    std::size_t packedSize = 0;
    std::size_t originalSize = 0;
};

struct SampleImage {
    std::string name;
    std::vector<std::uint8_t> bytes;
    std::vector<SampleModule> modules;

    std::span<const std::uint8_t> packed(const SampleModule& module) const {
        return std::span(bytes).subspan(module.dataOffset, module.packedSize);
    }
};

inline constexpr std::uint16_t LogoModuleType = 0x4002;

// The folder of real BIOS images that KALVERO_BIOS_SAMPLES names, or an empty
// path when it is not set.
std::filesystem::path SampleFolder();

// Every file in the folder except README.md, sorted by name, with the module
// headers found in it: the method at byte 2, a header size of 25 plus the
// name's length, a header sum that holds and data inside the image.
std::vector<SampleImage> LoadSampleImages(const std::filesystem::path& folder);

} // namespace kalvero::bench
