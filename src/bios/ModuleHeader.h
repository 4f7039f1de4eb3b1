#pragma once

#include "base/FileResult.h"

#include <cstddef>
#include <cstdint>
#include <span>
#include <string>
#include <vector>

namespace kalvero::bios {

inline constexpr std::uint16_t SystemModuleType = 0x5000;
inline constexpr std::uint16_t LogoModuleType = 0x4002;
inline constexpr std::uint16_t FullScreenModuleType = 0x4000;

enum class Packing { Lh5, Lh0 };

// The LHA level-1 header in front of every module of an Award image: header
// size H, header sum, "-lh5-" or "-lh0-", packed and original size, a load
// offset, the module's type word, attribute 0x20, level 1, the name, the CRC-16
// of the original data, OS byte 0x20 and the size of the first extension
// header. Offsets below are from the header's first byte.
struct ModuleHeader {
    std::size_t headerLength = 0; // H + 2: the bytes before any extension header
    std::uint8_t storedSum = 0;
    std::uint8_t computedSum = 0; // of bytes 2 .. H + 1
    Packing packing = Packing::Lh5;
    std::uint32_t packedSize = 0; // the packed data and any extension headers
    std::uint32_t originalSize = 0;
    std::uint16_t loadOffset = 0;
    std::uint16_t type = 0;
    std::string name; // as stored: it may hold a NUL and junk after it
    std::uint16_t crc = 0;
    std::size_t extensionLength = 0; // all extension headers together

    bool sumHolds() const { return storedSum == computedSum; }
    std::size_t length() const { return headerLength + packedSize; }
    std::size_t dataOffset() const { return headerLength + extensionLength; }
    std::size_t dataLength() const { return packedSize - extensionLength; }
    // The name up to its first NUL, with other unprintable bytes as '?'.
    std::string printableName() const;
};

// Reads the header at offset. Anything that is not a level-1 header of the
// kind measured in Award images, or that runs past the image's end, is refused
// with the reason; a wrong header sum is not: it is recorded for the checks.
FileResult<ModuleHeader> ReadModuleHeader(std::span<const std::uint8_t> image, std::size_t offset);

// The old header's bytes with new packed and original sizes, CRC and header
// sum; every other byte stays as it was.
std::vector<std::uint8_t> RewriteModuleHeader(std::span<const std::uint8_t> header,
                                              std::uint32_t packedSize, std::uint32_t originalSize,
                                              std::uint16_t crc);

} // namespace kalvero::bios
