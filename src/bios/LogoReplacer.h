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
FileResult<Replacement> ReplaceLogo(std::span<const std::uint8_t> image,
                                    std::span<const std::uint8_t> logo, LogoPlace place);

} // namespace kalvero::bios
