#include "conversion/FileConversion.h"

#include "conversion/BmpExport.h"
#include "conversion/BmpFormat.h"
#include "conversion/Epa2Image.h"
#include "conversion/MonoConversion.h"
#include "document/EpaFormat.h"
#include "document/LogoFromEpa.h"

#include <string>

namespace kalvero {

FileResult<std::vector<std::uint8_t>> EpaFileFromBmp(std::span<const std::uint8_t> bmpFile,
                                                     bool negative) {
    const BmpKind kind = ClassifyBmpSize(bmpFile.size());
    if (kind == BmpKind::NotAccepted) {
        return FileError{FileProblem::NotAccepted,
                         Reason::of<"wrong size: {} bytes (a bitmap needs 1742, 2582, 5830 or "
                                    "8686)",
                                    "falsche Größe: {} Bytes (eine Bitmap braucht 1742, 2582, "
                                    "5830 oder 8686)">(bmpFile.size())};
    }
    if (IsColourBmp(kind)) {
        return BuildEpa2Data(bmpFile.subspan(BmpPaletteOffset, BmpPaletteLength),
                             bmpFile.subspan(ColourBmpPixelOffset), IsTallBmp(kind));
    }
    LogoDocument document(IsTallBmp(kind));
    ConvertMonoBmp(document, bmpFile, negative);
    return WriteEpa(document);
}

FileResult<std::vector<std::uint8_t>> BmpFileFromEpa(std::span<const std::uint8_t> epaFile) {
    if (const std::optional<LogoDocument> logo = LogoFromEpa(epaFile)) {
        return MonoBmpFromLogo(*logo);
    }
    const FileResult<Epa2Picture> picture = ParseEpa2(epaFile);
    if (!picture) {
        return picture.error();
    }
    return Epa2ToColourBmp(picture.value());
}

} // namespace kalvero
