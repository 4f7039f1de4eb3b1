#pragma once

#include "base/FileResult.h"
#include "bios/ImageInspection.h"
#include "conversion/FileKind.h"

#include <cstddef>
#include <cstdint>
#include <span>
#include <vector>

namespace kalvero::bios {

// The index of the one logo module (type 0x4002); none or more than one is
// refused.
FileResult<std::size_t> FindLogoModule(const AwardImage& image);

// The logo module's original data, when it unpacks with its CRC.
FileResult<std::vector<std::uint8_t>> LogoContent(const ImageInspection& inspection);

// What kind of logo a module holds: an EPA version-1 logo or an EPA 2.0 image
// that ParseEpa2 reads; anything else is refused.
FileResult<FileKind> LogoKind(std::span<const std::uint8_t> logo);

// LogoKind for a logo meant to replace an image's logo, refused with what to do.
FileResult<FileKind> NewLogoKind(std::span<const std::uint8_t> logo);

// The logo of an image file's bytes (for `bios extract`).
FileResult<std::vector<std::uint8_t>> ExtractLogo(std::span<const std::uint8_t> image);

} // namespace kalvero::bios
