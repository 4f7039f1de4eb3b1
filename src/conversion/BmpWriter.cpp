#include "conversion/BmpWriter.h"

#include "conversion/BmpFormat.h"
#include "document/LogoGeometry.h"

#include <algorithm>

namespace kalvero {
namespace {

void Put16(std::vector<std::uint8_t>& bytes, std::size_t at, std::uint32_t value) {
    bytes[at] = static_cast<std::uint8_t>(value & 0xFF);
    bytes[at + 1] = static_cast<std::uint8_t>(value >> 8 & 0xFF);
}

void Put32(std::vector<std::uint8_t>& bytes, std::size_t at, std::uint32_t value) {
    Put16(bytes, at, value & 0xFFFF);
    Put16(bytes, at + 2, value >> 16);
}

// File header and information header of an uncompressed bottom-up bitmap.
std::vector<std::uint8_t> Headers(int width, int height, int bitsPerPixel, int colours,
                                  std::size_t rowLength) {
    const std::uint32_t pixelOffset = 14 + 40 + 4 * static_cast<std::uint32_t>(colours);
    const auto pixelBytes =
        static_cast<std::uint32_t>(rowLength * static_cast<std::size_t>(height));
    std::vector<std::uint8_t> bytes(pixelOffset + pixelBytes, 0);
    bytes[0] = 'B';
    bytes[1] = 'M';
    Put32(bytes, 2, pixelOffset + pixelBytes);
    Put32(bytes, 10, pixelOffset);
    Put32(bytes, 14, 40);
    Put32(bytes, 18, static_cast<std::uint32_t>(width));
    Put32(bytes, 22, static_cast<std::uint32_t>(height));
    Put16(bytes, 26, 1);
    Put16(bytes, 28, static_cast<std::uint32_t>(bitsPerPixel));
    Put32(bytes, 34, pixelBytes);
    Put32(bytes, 38, 2834); // 72 dots per inch
    Put32(bytes, 42, 2834);
    Put32(bytes, 46, static_cast<std::uint32_t>(colours));
    Put32(bytes, 50, static_cast<std::uint32_t>(colours));
    return bytes;
}

} // namespace

std::vector<std::uint8_t> MonoBmpFile(std::span<const std::uint8_t> rows, int height) {
    std::vector<std::uint8_t> bytes = Headers(LogoWidth, height, 1, 2, MonoBmpRowLength);
    std::fill_n(bytes.begin() + 58, 4, 255);
    for (int line = 0; line < height; ++line) {
        const auto source = rows.begin() + line * CellColumns;
        std::copy(source, source + CellColumns,
                  bytes.begin() + MonoBmpPixelOffset + (height - 1 - line) * MonoBmpRowLength);
    }
    return bytes;
}

std::vector<std::uint8_t> ColourBmpFile(std::span<const std::uint8_t> indices, int width,
                                        int height, std::span<const std::uint8_t> palette) {
    const auto columns = static_cast<std::size_t>(width);
    const auto rowLength = static_cast<std::size_t>(ColourBmpRowBytes(width));
    std::vector<std::uint8_t> bytes = Headers(width, height, 4, 16, rowLength);
    std::copy(palette.begin(), palette.begin() + BmpPaletteLength,
              bytes.begin() + BmpPaletteOffset);
    for (std::size_t line = 0; line < static_cast<std::size_t>(height); ++line) {
        const std::size_t row =
            ColourBmpPixelOffset + (static_cast<std::size_t>(height) - 1 - line) * rowLength;
        for (std::size_t x = 0; x < columns; ++x) {
            const std::uint8_t index = indices[line * columns + x] & 15;
            bytes[row + x / 2] |= static_cast<std::uint8_t>(x % 2 == 0 ? index << 4 : index);
        }
    }
    return bytes;
}

} // namespace kalvero
