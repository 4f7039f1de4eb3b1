#include "picture/BulkyMetadata.h"

#include "picture/JpegMarkers.h"

#include <algorithm>
#include <array>
#include <string_view>

namespace kalvero {
namespace {

// Less than this much text is left where it is.
constexpr std::size_t MostKeptText = 1024 * 1024;

constexpr std::array<std::uint8_t, 8> PngSignature{0x89, 'P', 'N', 'G', '\r', '\n', 0x1A, '\n'};
constexpr std::size_t PngChunkFrame = 12; // length, type and CRC
constexpr std::array<std::string_view, 3> PngTextChunks{"tEXt", "zTXt", "iTXt"};
constexpr std::uint8_t JpegComment = 0xFE;
constexpr std::uint8_t JpegApp1 = 0xE1;

// Byte ranges [first, second) to leave out.
using Ranges = std::vector<std::pair<std::size_t, std::size_t>>;

Ranges PngText(std::span<const std::uint8_t> file) {
    Ranges text;
    if (file.size() < PngSignature.size() ||
        !std::equal(PngSignature.begin(), PngSignature.end(), file.begin())) {
        return text;
    }
    std::size_t at = PngSignature.size();
    while (at + PngChunkFrame <= file.size()) {
        const std::size_t length = static_cast<std::size_t>(file[at]) << 24 |
                                   static_cast<std::size_t>(file[at + 1]) << 16 |
                                   static_cast<std::size_t>(file[at + 2]) << 8 | file[at + 3];
        if (length > file.size() - at - PngChunkFrame) {
            break; // cut off: libpng says so
        }
        const std::string_view type(reinterpret_cast<const char*>(file.data() + at + 4), 4);
        const std::size_t end = at + PngChunkFrame + length;
        if (std::find(PngTextChunks.begin(), PngTextChunks.end(), type) != PngTextChunks.end()) {
            text.emplace_back(at, end);
        }
        at = end;
    }
    return text;
}

Ranges JpegText(std::span<const std::uint8_t> file) {
    Ranges text;
    bool firstApp1 = true;
    VisitJpegHeader(file, [&](const JpegSegment& segment) {
        if (segment.marker == JpegComment || (segment.marker == JpegApp1 && !firstApp1)) {
            text.emplace_back(segment.start, segment.end);
        }
        firstApp1 = firstApp1 && segment.marker != JpegApp1;
    });
    return text;
}

} // namespace

std::optional<std::vector<std::uint8_t>> WithoutBulkyMetadata(std::span<const std::uint8_t> file) {
    Ranges text = PngText(file);
    if (text.empty()) {
        text = JpegText(file);
    }
    std::size_t length = 0;
    for (const auto& [first, end] : text) {
        length += end - first;
    }
    if (length <= MostKeptText) {
        return std::nullopt;
    }
    std::vector<std::uint8_t> kept;
    kept.reserve(file.size() - length);
    std::size_t at = 0;
    for (const auto& [first, end] : text) {
        kept.insert(kept.end(), file.begin() + static_cast<std::ptrdiff_t>(at),
                    file.begin() + static_cast<std::ptrdiff_t>(first));
        at = end;
    }
    kept.insert(kept.end(), file.begin() + static_cast<std::ptrdiff_t>(at), file.end());
    return kept;
}

} // namespace kalvero
