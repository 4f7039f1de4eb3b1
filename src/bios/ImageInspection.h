#pragma once

#include "base/FileResult.h"
#include "bios/AwardImage.h"

#include <cstdint>
#include <span>
#include <string>
#include <vector>

namespace kalvero::bios {

// A BIOS unpacks its modules below 1 MiB; a larger original size is damage,
// and unpacking it would take that much memory.
inline constexpr std::uint32_t MaxOriginalSize = 1024 * 1024;

// A module's original data, or why it cannot be had.
struct ModuleContent {
    std::vector<std::uint8_t> data;
    Reason problem; // empty when the module unpacks and its CRC holds

    bool good() const { return problem.empty(); }
};

// An image walked and every module unpacked.
struct ImageInspection {
    AwardImage image;
    std::vector<ModuleContent> contents; // one a module, in the same order
};

// ParseAwardImage, then every module unpacked ("-lh5-") or taken as stored
// ("-lh0-") and its CRC compared.
FileResult<ImageInspection> InspectAwardImage(std::span<const std::uint8_t> bytes);

// The original data of one module with the problem found, if any.
ModuleContent UnpackModule(std::span<const std::uint8_t> bytes, const Module& module);

} // namespace kalvero::bios
