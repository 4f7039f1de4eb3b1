#pragma once

#include "base/FileResult.h"
#include "bios/ImageInspection.h"
#include "conversion/FileKind.h"

#include <cstddef>
#include <cstdint>
#include <span>
#include <string>
#include <vector>

namespace kalvero::bios {

// The boot logo (module type 0x4002) or the full-screen logo (type 0x4000),
// which some BIOSes show over the whole screen before the POST screen.
enum class LogoPlace { Boot, FullScreen };

// A logo as the BIOS shows it: the modules that hold it, the last of them the
// one shown; what it is; and what a person should know beside it.
struct ImageLogo {
    std::vector<std::size_t> modules;
    FileKind kind;
    Reason note;
};

// The boot logo: the one logo module, holding an EPA logo (LogoKind). The
// full-screen logo: the last full-screen module, holding an EPA 2.0 image of
// 16 colours, with every other one that holds the same bytes. A module whose
// header sum or CRC fails, none or more than one logo module, and a module
// holding something else are refused with the reason.
FileResult<ImageLogo> FindLogo(const ImageInspection& inspection, LogoPlace place);

// LogoKind for a logo meant to replace an image's logo, refused with what to do.
FileResult<FileKind> NewLogoKind(std::span<const std::uint8_t> logo);

// The original data of FindLogo's module that the BIOS shows, from an image
// file's bytes.
FileResult<std::vector<std::uint8_t>> ExtractLogo(std::span<const std::uint8_t> image,
                                                  LogoPlace place);

} // namespace kalvero::bios
