#include "conversion/Epa2Image.h"

#include "conversion/BmpFormat.h"
#include "conversion/BmpWriter.h"
#include "document/LogoGeometry.h"

#include <algorithm>
#include <array>
#include <string>

namespace kalvero {
namespace {

constexpr std::array<std::uint8_t, 4> Signature{'A', 'W', 'B', 'M'};
constexpr std::array<std::uint8_t, 4> PaletteMarker{'R', 'G', 'B', ' '};
constexpr int HeaderLength = 8;
constexpr int PlanesPerRow = 4;

// For a byte of two packed pixels (the left one in the high nibble), the two
// bits of each plane p at bits 8p + 1 (left) and 8p (right).
constexpr std::array<std::uint32_t, 256> PlaneBitPairs = [] {
    std::array<std::uint32_t, 256> pairs{};
    for (std::uint32_t packed = 0; packed < 256; ++packed) {
        for (std::uint32_t plane = 0; plane < PlanesPerRow; ++plane) {
            const std::uint32_t left = packed >> (4 + plane) & 1;
            const std::uint32_t right = packed >> plane & 1;
            pairs[packed] |= (left << 1 | right) << (8 * plane);
        }
    }
    return pairs;
}();

std::uint8_t ByteAt(std::span<const std::uint8_t> bytes, std::size_t at) {
    return at < bytes.size() ? bytes[at] : 0;
}

bool HasAt(std::span<const std::uint8_t> bytes, std::size_t at,
           const std::array<std::uint8_t, 4>& expected) {
    return at + expected.size() <= bytes.size() &&
           std::equal(expected.begin(), expected.end(), bytes.begin() + static_cast<long>(at));
}

FileError Refused(const std::string& reason) {
    return FileError{FileProblem::NotAccepted, reason};
}

} // namespace

std::vector<std::uint8_t> BuildEpa2Data(std::span<const std::uint8_t> palette,
                                        std::span<const std::uint8_t> pixels, bool tall) {
    const int height = tall ? TallLogoHeight : ShortLogoHeight;
    const std::size_t n = static_cast<std::size_t>(ColourBmpRowLength * height);
    std::vector<std::uint8_t> image(HeaderLength + n + PaletteMarker.size() + 48, 0);

    std::copy(Signature.begin(), Signature.end(), image.begin());
    image[4] = LogoWidth;
    image[6] = static_cast<std::uint8_t>(height);
    std::copy(PaletteMarker.begin(), PaletteMarker.end(), image.begin() + HeaderLength + n);

    // 16 entries of blue, green, red in 6 bits; the reserved byte is dropped.
    const std::size_t paletteStart = HeaderLength + n + PaletteMarker.size();
    for (std::size_t entry = 0; entry < 16; ++entry) {
        for (std::size_t channel = 0; channel < 3; ++channel) {
            image[paletteStart + 3 * entry + channel] = ByteAt(palette, 4 * entry + channel) >> 2;
        }
    }
    std::fill_n(image.begin() + static_cast<long>(paletteStart) + 21, 3, 32);
    std::fill_n(image.begin() + static_cast<long>(paletteStart) + 45, 3, 63);
    const auto entry8 = image.begin() + static_cast<long>(paletteStart) + 24;
    if (entry8[0] == 0 && entry8[1] == 0 && entry8[2] == 0) {
        entry8[0] = 63;
    }

    // Each 68-byte row of packed nibbles (bottom row first in the bitmap)
    // becomes four 17-byte planes, top row first; plane p holds bit p. Four
    // packed bytes are eight pixels, one byte of each plane.
    for (int row = 0; row < height; ++row) {
        const std::size_t source =
            static_cast<std::size_t>((height - 1 - row) * ColourBmpRowLength);
        const std::size_t target =
            HeaderLength + static_cast<std::size_t>(row * ColourBmpRowLength);
        for (std::size_t group = 0; group < CellColumns; ++group) {
            std::uint32_t planes = 0;
            for (std::size_t byte = 0; byte < 4; ++byte) {
                planes = planes << 2 | PlaneBitPairs[ByteAt(pixels, source + 4 * group + byte)];
            }
            for (std::size_t plane = 0; plane < PlanesPerRow; ++plane) {
                image[target + plane * CellColumns + group] =
                    static_cast<std::uint8_t>(planes >> (8 * plane));
            }
        }
    }
    return image;
}

FileResult<Epa2Picture> ParseEpa2(std::span<const std::uint8_t> bytes) {
    if (!HasAt(bytes, 0, Signature)) {
        return Refused("not an EPA 2.0 image (no AWBM signature)");
    }
    if (bytes.size() < HeaderLength) {
        return Refused("EPA 2.0 header cut short");
    }
    Epa2Picture picture;
    picture.width = bytes[4] | bytes[5] << 8;
    picture.height = bytes[6] | bytes[7] << 8;
    if (picture.width == 0 || picture.height == 0) {
        return Refused("EPA 2.0 image of no size");
    }
    const std::size_t width = static_cast<std::size_t>(picture.width);
    const std::size_t height = static_cast<std::size_t>(picture.height);
    const std::size_t planeBytes = (width + 7) / 8;
    const std::size_t planarLength = height * PlanesPerRow * planeBytes;
    const std::size_t packedLength = width * height;
    if (bytes.size() == HeaderLength + planarLength + 4 + 16 * 3 &&
        HasAt(bytes, HeaderLength + planarLength, PaletteMarker)) {
        picture.bitsPerPixel = 4;
        picture.indices.assign(width * height, 0);
        for (std::size_t row = 0; row < height; ++row) {
            for (std::size_t x = 0; x < width; ++x) {
                int index = 0;
                for (std::size_t plane = 0; plane < PlanesPerRow; ++plane) {
                    const std::uint8_t bits =
                        bytes[HeaderLength + (row * PlanesPerRow + plane) * planeBytes + x / 8];
                    index |= (bits >> (7 - x % 8) & 1) << plane;
                }
                picture.indices[row * width + x] = static_cast<std::uint8_t>(index);
            }
        }
        const auto palette = bytes.begin() + static_cast<long>(HeaderLength + planarLength + 4);
        picture.palette6.assign(palette, palette + 16 * 3);
        return picture;
    }
    if (bytes.size() == HeaderLength + packedLength + 4 + 256 * 3 &&
        HasAt(bytes, HeaderLength + packedLength, PaletteMarker)) {
        picture.bitsPerPixel = 8;
        const auto pixels = bytes.begin() + HeaderLength;
        picture.indices.assign(pixels, pixels + static_cast<long>(packedLength));
        const auto palette = pixels + static_cast<long>(packedLength) + 4;
        picture.palette6.assign(palette, palette + 256 * 3);
        return picture;
    }
    return Refused("EPA 2.0 image of " + std::to_string(picture.width) + " x " +
                   std::to_string(picture.height) + " pixels with a length of " +
                   std::to_string(bytes.size()) + " bytes that fits neither 16 nor 256 colours");
}

Rgb Epa2Colour(const Epa2Picture& picture, int index) {
    const auto scale = [](std::uint8_t six) {
        const int value = six & 63;
        return static_cast<std::uint8_t>(value << 2 | value >> 4);
    };
    const std::size_t at = static_cast<std::size_t>(index) * 3;
    return Rgb{scale(picture.palette6[at + 2]), scale(picture.palette6[at + 1]),
               scale(picture.palette6[at])};
}

FileResult<std::vector<std::uint8_t>> Epa2ToColourBmp(const Epa2Picture& picture) {
    if (picture.bitsPerPixel != 4 || picture.width != LogoWidth ||
        (picture.height != ShortLogoHeight && picture.height != TallLogoHeight)) {
        return Refused("only 136 x 84 and 136 x 126 EPA 2.0 images of 16 colours become bitmaps");
    }
    std::array<std::uint8_t, BmpPaletteLength> palette{};
    for (int entry = 0; entry < 16; ++entry) {
        const Rgb colour = Epa2Colour(picture, entry);
        palette[static_cast<std::size_t>(4 * entry)] = colour.b;
        palette[static_cast<std::size_t>(4 * entry + 1)] = colour.g;
        palette[static_cast<std::size_t>(4 * entry + 2)] = colour.r;
    }
    return ColourBmpFile(picture.indices, picture.height, palette);
}

} // namespace kalvero
