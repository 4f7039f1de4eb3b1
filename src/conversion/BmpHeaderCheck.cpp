#include "conversion/BmpHeaderCheck.h"

#include "conversion/BmpFormat.h"
#include "document/LogoGeometry.h"

namespace kalvero {
namespace {

// The fields of the BITMAPINFOHEADER that decide the layout.
constexpr std::size_t WidthOffset = 18;
constexpr std::size_t HeightOffset = 22;
constexpr std::size_t BitCountOffset = 28;
constexpr std::size_t CompressionOffset = 30;

std::uint32_t Little(std::span<const std::uint8_t> head, std::size_t at, std::size_t bytes) {
    std::uint32_t value = 0;
    for (std::size_t i = bytes; i-- > 0;) {
        value = (value << 8) | head[at + i];
    }
    return value;
}

} // namespace

std::vector<std::string> BmpHeaderContradictions(std::uint64_t length,
                                                 std::span<const std::uint8_t> head) {
    const BmpKind kind = ClassifyBmpSize(length);
    if (kind == BmpKind::NotAccepted || head.size() < BmpHeaderLength) {
        return {};
    }
    const int bits = IsColourBmp(kind) ? 4 : 1;
    const int height = IsTallBmp(kind) ? TallLogoHeight : ShortLogoHeight;
    const auto width = static_cast<std::int32_t>(Little(head, WidthOffset, 4));
    const auto rows = static_cast<std::int32_t>(Little(head, HeightOffset, 4));
    const std::uint32_t bitCount = Little(head, BitCountOffset, 2);
    const std::uint32_t compression = Little(head, CompressionOffset, 4);
    const std::string layout = std::to_string(LogoWidth) + " x " + std::to_string(height);

    std::vector<std::string> contradictions;
    if (rows < 0) {
        contradictions.push_back("rows are stored top-down: the logo will be upside down");
    }
    if (width != LogoWidth || (rows != height && rows != -height)) {
        contradictions.push_back(
            "the header says " + std::to_string(width) + " x " +
            std::to_string(rows < 0 ? -static_cast<std::int64_t>(rows) : rows) +
            " pixels: the file is read as " + layout);
    }
    if (bitCount != static_cast<std::uint32_t>(bits)) {
        contradictions.push_back("the header says " + std::to_string(bitCount) +
                                 " bits a pixel: they are read as " + std::to_string(bits));
    }
    if (compression != 0) {
        contradictions.push_back("the header says the pixels are compressed (method " +
                                 std::to_string(compression) + "): they are read as they are");
    }
    return contradictions;
}

} // namespace kalvero
