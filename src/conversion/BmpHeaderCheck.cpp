#include "conversion/BmpHeaderCheck.h"

#include "conversion/BmpFormat.h"
#include "document/LogoGeometry.h"

#include <cstdlib>

namespace kalvero {
namespace {

constexpr std::uint32_t InfoHeaderLength = 40;
constexpr std::uint32_t CoreHeaderLength = 12; // the OS/2 kind: 16-bit fields
constexpr std::size_t HeaderStart = 14;

std::uint32_t Unsigned(std::span<const std::uint8_t> file, std::size_t at, std::size_t bytes) {
    std::uint32_t value = 0;
    for (std::size_t i = bytes; i > 0; --i) {
        value = value << 8 | file[at + i - 1];
    }
    return value;
}

std::string CompressionName(std::uint32_t method) {
    switch (method) {
    case 1:
        return "RLE8";
    case 2:
        return "RLE4";
    case 3:
        return "bit fields";
    case 4:
        return "JPEG";
    case 5:
        return "PNG";
    default:
        return "method " + std::to_string(method);
    }
}

// What the header says of the picture, in either kind of header.
struct HeaderFields {
    std::int64_t width;
    std::int64_t height; // negative: rows stored top-down
    std::uint32_t bitsPerPixel;
    std::uint32_t compression;
};

HeaderFields ReadFields(std::span<const std::uint8_t> file, std::uint32_t headerLength) {
    if (headerLength == CoreHeaderLength) {
        return {Unsigned(file, 18, 2), Unsigned(file, 20, 2), Unsigned(file, 24, 2), 0};
    }
    return {static_cast<std::int32_t>(Unsigned(file, 18, 4)),
            static_cast<std::int32_t>(Unsigned(file, 22, 4)), Unsigned(file, 28, 2),
            headerLength >= 20 ? Unsigned(file, 30, 4) : 0};
}

std::string BitsAPixel(std::uint32_t bits) {
    return std::to_string(bits) + (bits == 1 ? " bit a pixel" : " bits a pixel");
}

} // namespace

std::vector<std::string> BmpHeaderWarnings(std::span<const std::uint8_t> file, BmpUse use) {
    const BmpKind kind = ClassifyBmpSize(file.size());
    if (kind == BmpKind::NotAccepted) {
        return {};
    }
    if (file[0] != 'B' || file[1] != 'M') {
        return {"the file does not begin with BM: it is read as a bitmap for its size alone"};
    }
    const bool colour = IsColourBmp(kind);
    const int height = IsTallBmp(kind) ? TallLogoHeight : ShortLogoHeight;
    const std::uint32_t bits = colour ? 4 : 1;
    const std::uint32_t pixelOffset = colour ? ColourBmpPixelOffset : MonoBmpPixelOffset;

    std::vector<std::string> warnings;
    const std::uint32_t headerLength = Unsigned(file, HeaderStart, 4);
    if (headerLength != InfoHeaderLength && (colour || use == BmpUse::Picture)) {
        warnings.push_back("the header is " + std::to_string(headerLength) +
                           " bytes long, not 40: the colours are read from the wrong place");
    }
    // Shorter headers end before the picture's size and depth.
    if (headerLength == CoreHeaderLength || headerLength >= 16) {
        const HeaderFields header = ReadFields(file, headerLength);
        if (header.height < 0) {
            warnings.emplace_back("rows are stored top-down: the logo will be upside down");
        }
        if (header.width != LogoWidth || std::abs(header.height) != height) {
            warnings.push_back("the header says " + std::to_string(header.width) + " x " +
                               std::to_string(std::abs(header.height)) +
                               " pixels: the file is read as 136 x " + std::to_string(height));
        }
        if (header.bitsPerPixel != bits) {
            warnings.push_back("the header says " + BitsAPixel(header.bitsPerPixel) +
                               ": the file is read as " + BitsAPixel(bits));
        }
        if (header.compression != 0) {
            warnings.push_back("the header says the pixels are compressed (" +
                               CompressionName(header.compression) +
                               "): they are read as if they were not");
        }
    }
    const std::uint32_t offset = Unsigned(file, 10, 4);
    if (offset != pixelOffset) {
        warnings.push_back("the header puts the pixels at byte " + std::to_string(offset) +
                           ": they are read from byte " + std::to_string(pixelOffset));
    }
    return warnings;
}

} // namespace kalvero
