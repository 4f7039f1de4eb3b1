#include "picture/JpegMarkers.h"

namespace kalvero {
namespace {

constexpr std::uint8_t Marker = 0xFF;
constexpr std::uint8_t StartOfImage = 0xD8;
constexpr std::size_t SegmentHead = 4; // marker and length

} // namespace

std::size_t VisitJpegHeader(std::span<const std::uint8_t> file,
                            const std::function<void(const JpegSegment&)>& visit) {
    if (file.size() < 2 || file[0] != Marker || file[1] != StartOfImage) {
        return 0;
    }
    std::size_t at = 2;
    while (at + SegmentHead <= file.size() && file[at] == Marker) {
        const std::uint8_t marker = file[at + 1];
        if (marker == Marker) {
            ++at; // fill byte
            continue;
        }
        const std::size_t length = static_cast<std::size_t>(file[at + 2] << 8 | file[at + 3]);
        if (length < 2 || at + 2 + length > file.size()) {
            return 0;
        }
        const JpegSegment segment{marker, at, at + 2 + length,
                                  file.subspan(at + SegmentHead, length - 2)};
        visit(segment);
        if (marker == JpegStartOfScan) {
            return segment.end;
        }
        at = segment.end;
    }
    return 0;
}

} // namespace kalvero
