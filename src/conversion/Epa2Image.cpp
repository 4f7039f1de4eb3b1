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

// For two pixels, the left one's index in the high nibble, the two bits of
// each plane p at bits 8p + 1 (left) and 8p (right): four pairs shifted in one
// after the other leave one byte of each plane.
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

FileError Refused(Reason reason) {
    return FileError{FileProblem::NotAccepted, reason};
}

} // namespace

Reason NoEpa2Signature() {
    return Reason::of<"not an EPA 2.0 image (no AWBM signature)",
                      "kein EPA-2.0-Bild (keine AWBM-Signatur)">();
}

Reason Epa2OfNoSize() {
    return Reason::of<"EPA 2.0 image of no size", "EPA-2.0-Bild ohne Größe">();
}

Reason Epa2OfWrongLength(int width, int height, std::uint64_t length) {
    return Reason::of<"EPA 2.0 image of {} x {} pixels with a length of {} bytes that fits "
                      "neither 16 nor 256 colours",
                      "EPA-2.0-Bild von {} x {} Pixeln mit einer Länge von {} Bytes, die weder "
                      "zu 16 noch zu 256 Farben passt">(width, height, length);
}

namespace {

// The picture of a 16-colour bitmap's palette (64 bytes of blue, green, red,
// reserved) and pixels (rows bottom-up, two pixels a byte, the left one in the
// high nibble), the palette kept in 6 bits.
Epa2Picture ColourBmpPicture(std::span<const std::uint8_t> palette,
                             std::span<const std::uint8_t> pixels, int width, int height) {
    Epa2Picture picture;
    picture.width = width;
    picture.height = height;
    picture.palette6.resize(16 * 3);
    for (std::size_t entry = 0; entry < 16; ++entry) {
        for (std::size_t channel = 0; channel < 3; ++channel) {
            picture.palette6[3 * entry + channel] = ByteAt(palette, 4 * entry + channel) >> 2;
        }
    }
    const auto rowBytes = static_cast<std::size_t>(ColourBmpRowBytes(width));
    std::vector<std::uint8_t> rows(rowBytes * static_cast<std::size_t>(height));
    std::copy_n(pixels.begin(), std::min(pixels.size(), rows.size()), rows.begin());
    picture.indices.resize(static_cast<std::size_t>(width) * static_cast<std::size_t>(height));
    std::uint8_t* index = picture.indices.data();
    for (int row = height - 1; row >= 0; --row) {
        const std::uint8_t* packed = rows.data() + static_cast<std::size_t>(row) * rowBytes;
        for (int x = 0; x < width; ++x) {
            const std::uint8_t two = packed[x / 2];
            *index++ = static_cast<std::uint8_t>(x % 2 == 0 ? two >> 4 : two & 15);
        }
    }
    return picture;
}

} // namespace

const std::array<std::uint8_t, 16 * 3> StandardVgaPalette6{
    0,  0,  0,  42, 0,  0,  0,  42, 0,  42, 42, 0,  0,  0,  42, 42, 0,  42, 0,  21, 42, 42, 42, 42,
    21, 21, 21, 63, 21, 21, 21, 63, 21, 63, 63, 21, 21, 21, 63, 63, 21, 63, 21, 63, 63, 63, 63, 63,
};

std::vector<std::uint8_t> WriteEpa2(const Epa2Picture& picture) {
    const std::size_t width = static_cast<std::size_t>(picture.width);
    const std::size_t height = static_cast<std::size_t>(picture.height);
    const std::size_t planeBytes = (width + 7) / 8;
    const std::size_t paletteStart = HeaderLength + height * PlanesPerRow * planeBytes;
    std::vector<std::uint8_t> image(
        paletteStart + (picture.ownPalette ? PaletteMarker.size() + 16 * 3 : 0), 0);
    std::copy(Signature.begin(), Signature.end(), image.begin());
    image[4] = static_cast<std::uint8_t>(width);
    image[5] = static_cast<std::uint8_t>(width >> 8);
    image[6] = static_cast<std::uint8_t>(height);
    image[7] = static_cast<std::uint8_t>(height >> 8);
    const auto pair = [](const std::uint8_t* two) {
        return PlaneBitPairs[(two[0] & 15) << 4 | (two[1] & 15)];
    };
    std::array<std::uint8_t, 8> padded{};
    for (std::size_t row = 0; row < height; ++row) {
        const std::uint8_t* pixels = picture.indices.data() + row * width;
        const std::size_t planes = HeaderLength + row * PlanesPerRow * planeBytes;
        for (std::size_t group = 0; group < planeBytes; ++group) {
            const std::uint8_t* eight = pixels + 8 * group;
            // The last byte of a row is padded on the right with clear bits.
            if (width - 8 * group < 8) {
                padded.fill(0);
                std::copy(eight, pixels + width, padded.begin());
                eight = padded.data();
            }
            const std::uint32_t bits =
                pair(eight) << 6 | pair(eight + 2) << 4 | pair(eight + 4) << 2 | pair(eight + 6);
            for (std::size_t plane = 0; plane < PlanesPerRow; ++plane) {
                image[planes + plane * planeBytes + group] =
                    static_cast<std::uint8_t>(bits >> (8 * plane));
            }
        }
    }
    if (!picture.ownPalette) {
        return image;
    }
    std::copy(PaletteMarker.begin(), PaletteMarker.end(),
              image.begin() + static_cast<long>(paletteStart));
    std::copy_n(picture.palette6.begin(), 16 * 3,
                image.begin() + static_cast<long>(paletteStart + PaletteMarker.size()));
    return image;
}

std::vector<std::uint8_t> BuildEpa2Data(std::span<const std::uint8_t> palette,
                                        std::span<const std::uint8_t> pixels, bool tall) {
    Epa2Picture picture =
        ColourBmpPicture(palette, pixels, LogoWidth, tall ? TallLogoHeight : ShortLogoHeight);
    std::fill_n(picture.palette6.begin() + 21, 3, 32);
    std::fill_n(picture.palette6.begin() + 45, 3, 63);
    const auto entry8 = picture.palette6.begin() + 24;
    if (entry8[0] == 0 && entry8[1] == 0 && entry8[2] == 0) {
        entry8[0] = 63;
    }
    return WriteEpa2(picture);
}

std::vector<std::uint8_t> FullScreenFromColourBmp(std::span<const std::uint8_t> bitmap, int width,
                                                  int height, bool ownPalette) {
    Epa2Picture picture = ColourBmpPicture(bitmap.subspan(BmpPaletteOffset, BmpPaletteLength),
                                           bitmap.subspan(ColourBmpPixelOffset), width, height);
    picture.ownPalette = ownPalette;
    return WriteEpa2(picture);
}

FileResult<Epa2Picture> ParseEpa2(std::span<const std::uint8_t> bytes) {
    if (!HasAt(bytes, 0, Signature)) {
        return Refused(NoEpa2Signature());
    }
    if (bytes.size() < HeaderLength) {
        return Refused(Reason::of<"EPA 2.0 header cut short", "EPA-2.0-Kopf abgeschnitten">());
    }
    Epa2Picture picture;
    picture.width = bytes[4] | bytes[5] << 8;
    picture.height = bytes[6] | bytes[7] << 8;
    if (picture.width == 0 || picture.height == 0) {
        return Refused(Epa2OfNoSize());
    }
    const std::size_t width = static_cast<std::size_t>(picture.width);
    const std::size_t height = static_cast<std::size_t>(picture.height);
    const std::size_t planeBytes = (width + 7) / 8;
    const std::size_t planarLength = height * PlanesPerRow * planeBytes;
    const std::size_t packedLength = width * height;
    const bool ownPalette = bytes.size() == HeaderLength + planarLength + 4 + 16 * 3 &&
                            HasAt(bytes, HeaderLength + planarLength, PaletteMarker);
    if (ownPalette || bytes.size() == HeaderLength + planarLength) {
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
        picture.ownPalette = ownPalette;
        if (!ownPalette) {
            picture.palette6.assign(StandardVgaPalette6.begin(), StandardVgaPalette6.end());
            return picture;
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
    return Refused(Epa2OfWrongLength(picture.width, picture.height, bytes.size()));
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
    if (picture.bitsPerPixel != 4) {
        return Refused(Reason::of<"only EPA 2.0 images of 16 colours become bitmaps",
                                  "nur EPA-2.0-Bilder mit 16 Farben werden zu Bitmaps">());
    }
    std::array<std::uint8_t, BmpPaletteLength> palette{};
    for (int entry = 0; entry < 16; ++entry) {
        const Rgb colour = Epa2Colour(picture, entry);
        palette[static_cast<std::size_t>(4 * entry)] = colour.b;
        palette[static_cast<std::size_t>(4 * entry + 1)] = colour.g;
        palette[static_cast<std::size_t>(4 * entry + 2)] = colour.r;
    }
    return ColourBmpFile(picture.indices, picture.width, picture.height, palette);
}

} // namespace kalvero
