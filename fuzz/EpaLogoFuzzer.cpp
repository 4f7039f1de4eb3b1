// The EPA version-1 reader and everything that works on the logo it gives:
// the writer, the bitmap export, the pixel colours and the canvas raster.

#include "FuzzCheck.h"
#include "conversion/BmpExport.h"
#include "conversion/FileConversion.h"
#include "document/EpaFormat.h"
#include "document/EpaTables.h"
#include "document/LogoFromEpa.h"
#include "document/LogoRaster.h"

#include <algorithm>
#include <cstdint>
#include <span>
#include <vector>

namespace kalvero::fuzz {
namespace {

void CheckLogo(std::span<const std::uint8_t> file) {
    std::optional<LogoDocument> logo = LogoFromEpa(file);
    const bool tall = file.size() == TallEpaLength;
    const bool accepted = (file.size() == ShortEpaLength || tall) && file[0] == CellColumns &&
                          file[1] == (tall ? TallCellRows : ShortCellRows);
    Require(logo.has_value() == accepted,
            "only 1602 and 2367 bytes with the counts 17 x 6 and 17 x 9 make a logo");
    if (!logo) {
        return;
    }
    const LogoLayout size = logo->layout();
    for (int y = 0; y < size.height; ++y) {
        for (int x = 0; x < LogoWidth; ++x) {
            const int colour = logo->PixelColour(x, y);
            Require(colour >= 0 && colour <= 15, "pixel colours are palette indices");
        }
    }
    for (const int gridOffset : {0, 1}) {
        const CanvasGeometry canvas{gridOffset};
        ForEachLogoPixel(*logo, canvas, [&](int x, int y, int colour) {
            Require(x >= 0 && x < canvas.logoWidth() && y >= 0 && y < canvas.logoHeight(size),
                    "raster stays on the canvas");
            Require(colour >= 0 && colour <= 15, "raster colours are palette indices");
        });
    }

    const std::vector<std::uint8_t> bmp = MonoBmpFromLogo(*logo);
    Require(bmp.size() == (logo->TallLogo() ? 2582U : 1742U), "export has a bitmap length");

    const std::vector<std::uint8_t> written = WriteEpa(*logo);
    Require(written.size() == file.size(), "writer keeps the length");
    if (logo->TallLogo()) {
        Require(std::equal(written.begin(), written.end(), file.begin()),
                "a tall logo is written back byte for byte");
    } else {
        Require(written[1] == ShortCellRows, "a short logo is written with 6 rows");
        Require(written[0] == file[0], "the columns byte is kept");
        Require(
            std::equal(written.begin() + 2, written.begin() + size.trailerOffset, file.begin() + 2),
            "attributes and glyphs are kept");
        Require(
            std::equal(EpaTrailer.begin(), EpaTrailer.end(), written.begin() + size.trailerOffset),
            "a short logo gets the fixed trailer");
    }

    // The exported bitmap turns back into the same glyphs.
    const FileResult<std::vector<std::uint8_t>> again = EpaFileFromBmp(bmp, false);
    Require(again.ok(), "the exported bitmap is accepted");
    Require(std::equal(again.value().begin() + size.glyphOffset,
                       again.value().begin() + size.trailerOffset,
                       written.begin() + size.glyphOffset),
            "glyphs survive export and import");
}

} // namespace
} // namespace kalvero::fuzz

extern "C" int LLVMFuzzerTestOneInput(const std::uint8_t* data, std::size_t size) {
    const std::span<const std::uint8_t> input(data, size);
    kalvero::fuzz::CheckLogo(input);
    // Most inputs have no logo length; the first byte picks one so that the
    // rest of the bytes reach the reader, and whether the counts are made to
    // fit it.
    if (size > 0) {
        const bool tall = (data[0] & 1) != 0;
        std::vector<std::uint8_t> fitted(input.begin() + 1, input.end());
        fitted.resize(tall ? kalvero::TallEpaLength : kalvero::ShortEpaLength, 0);
        if ((data[0] & 2) == 0) {
            fitted[0] = kalvero::CellColumns;
            fitted[1] = tall ? kalvero::TallCellRows : kalvero::ShortCellRows;
        }
        kalvero::fuzz::CheckLogo(fitted);
    }
    return 0;
}
