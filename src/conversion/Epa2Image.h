#pragma once

#include "base/FileResult.h"
#include "document/Palette.h"

#include <array>
#include <cstdint>
#include <span>
#include <vector>

namespace kalvero {

// An EPA 2.0 image as read from a file: "AWBM", width, height, the pixels
// (four planes per row for 16 colours, or one byte per pixel for 256), "RGB "
// and a palette of 6-bit blue, green, red triples.
struct Epa2Picture {
    int width = 0;
    int height = 0;
    int bitsPerPixel = 4;
    std::vector<std::uint8_t> indices;  // width x height colour indices, top row first
    std::vector<std::uint8_t> palette6; // 16 or 256 entries of blue, green, red (0..63)
    // False for a 16-colour image stored without "RGB " and a palette: the
    // screen keeps the standard VGA colours, which palette6 then holds.
    bool ownPalette = true;
};

// The sixteen standard VGA colours in 6 bits (blue, green, red): the colours a
// BIOS shows a full-screen logo without a palette in.
extern const std::array<std::uint8_t, 16 * 3> StandardVgaPalette6;

// The palette entry that two of three boards measured show in another entry's
// colour, a quirk of the VGA's attribute registers that other boards correct.
inline constexpr int Epa2MiscolouredEntry = 6;

// The bytes of a 16-colour EPA 2.0 image of any size (bitsPerPixel 4, width
// and height 1 to 65535, indices 0 to 15, palette6 of 16 entries): the header,
// four bit planes a row, each padded to whole bytes, "RGB " and the palette as
// it is; without "RGB " and the palette when !ownPalette.
std::vector<std::uint8_t> WriteEpa2(const Epa2Picture& picture);

// WriteEpa2 of a 16-colour bitmap (5772 bytes for 136 x 84, 8628 for 136 x
// 126): palette is its 64 palette bytes (blue, green, red,
// reserved), pixels its 68-byte rows as stored (bottom row first). The pixels
// become four bit planes per row; the palette is kept in 6 bits, with entry 7
// grey (32, 32, 32), entry 15 white and a black entry 8 made (63, 0, 0).
std::vector<std::uint8_t> BuildEpa2Data(std::span<const std::uint8_t> palette,
                                        std::span<const std::uint8_t> pixels, bool tall);

// The full-screen logo of a 16-colour bitmap of width x height in the layout
// ColourBmpFile writes (ColourBmpLength bytes): its palette kept as it is in 6 bits, since the
// whole screen takes it, so that the bitmap Epa2ToColourBmp makes of a full-screen logo gives the
// same bytes back; without a palette when !ownPalette.
std::vector<std::uint8_t> FullScreenFromColourBmp(std::span<const std::uint8_t> bitmap, int width,
                                                  int height, bool ownPalette = true);

// The reasons of an EPA 2.0 image that cannot be read, for the file's kind too.
Reason NoEpa2Signature();
Reason Epa2OfNoSize();
Reason Epa2OfWrongLength(int width, int height, std::uint64_t length);

// Reads an EPA 2.0 image of either variant, and of 16 colours without a
// palette; anything else is refused with the reason.
FileResult<Epa2Picture> ParseEpa2(std::span<const std::uint8_t> bytes);

// The screen colour of a palette entry, scaled from 6 to 8 bits.
Rgb Epa2Colour(const Epa2Picture& picture, int index);

// The 16-colour bitmap of an image of 16 colours, its palette widened to 8
// bits: for 136 x 84 and 136 x 126 the 5830 or 8686 bytes that BuildEpa2Data
// turns back into the same EPA 2.0 bytes.
FileResult<std::vector<std::uint8_t>> Epa2ToColourBmp(const Epa2Picture& picture);

} // namespace kalvero
