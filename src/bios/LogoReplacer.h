#pragma once

#include "base/FileResult.h"
#include "bios/LogoModule.h"
#include "bios/ModuleReplacer.h"

#include <cstdint>
#include <span>

namespace kalvero::bios {

// A new image with logo in place of the image's boot or full-screen logo (the
// steps of docs/bios-images.md, "What replace changes"): the image is walked
// and every module and check verified, the logo must be of the old logo's
// kind and size, and ReplaceModules puts it into every module FindLogo gives.
// Anything that does not hold is refused, with why and what to do.
// What a new logo for an image's boot or full-screen logo must be: of the old
// logo's kind and size, and packed by EncodeLh5 to at most packedRoom bytes,
// the most that fits its modules' chains (a chain that holds two of them
// shares its free room between them). An image ReplaceLogo would refuse
// whatever the logo is refused with the same reason.
struct LogoSlot {
    FileKind kind;
    std::size_t packedRoom = 0;
};
FileResult<LogoSlot> FindLogoSlot(std::span<const std::uint8_t> image, LogoPlace place);

FileResult<Replacement> ReplaceLogo(std::span<const std::uint8_t> image,
                                    std::span<const std::uint8_t> logo, LogoPlace place);

} // namespace kalvero::bios
