#pragma once

#include "base/FileResult.h"
#include "conversion/FileKind.h"
#include "conversion/RgbImage.h"
#include "conversion/import/PictureImport.h"

#include <cstddef>
#include <cstdint>
#include <string>
#include <vector>

namespace kalvero::bios {

// The import settings that make a picture into a logo of kind: a version-1
// logo of 6 or 9 rows, an EPA 2.0 image of 16 colours of 136 x 84 or 136 x
// 126, or a full-screen logo of 640 pixels and any height, with or without a
// palette; asked gives the rest (fit, dithering, entry 6, negative). Other
// kinds are refused with why.
FileResult<ImportSettings> SettingsForLogo(const FileKind& kind, const ImportSettings& asked);

// A logo made of a picture, and what was given up to make it fit.
struct FittedLogo {
    std::vector<std::uint8_t> logo;
    std::size_t packedSize = 0; // as EncodeLh5 packs it
    Reason note; // "fitted: 16 → 9 colours, no dithering; 791 of 791 bytes"; empty when
                 // nothing was given up
};

// The picture made into the logo settings ask for (SettingsForLogo's target
// kinds, or any kind import makes as an EPA file) that packs to at most room
// bytes. When the picture as asked packs larger, it is made again with less
// detail down the ladder of docs/import.md ("Made to fit"): less dithering,
// then fewer colours, then coarser pixels, each try packed with the real
// packer, and the first rung that fits is taken; shrink false refuses
// instead, saying by how many bytes it does not fit. The last rung not
// fitting either is refused the same way.
FileResult<FittedLogo> FitLogo(const RgbImage& picture, const ImportSettings& settings,
                               std::size_t room, bool shrink);

} // namespace kalvero::bios
