#include "picture/JpegCoefficients.h"

#include "picture/JpegMarkers.h"

#include <algorithm>
#include <array>
#include <optional>

namespace kalvero {
namespace {

constexpr std::uint64_t BlockBytes = 64 * 2;
constexpr int BlockSide = 8;

struct Component {
    int horizontal = 1; // sampling factors
    int vertical = 1;
};

struct Frame {
    std::uint64_t width = 0;
    std::uint64_t height = 0;
    bool progressive = false;
    int componentCount = 0;
    std::array<Component, 4> components{};
};

// SOF0 to SOF15 but for DHT (C4), JPG (C8) and DAC (CC); the low two bits of
// a frame marker say progressive when they are 2.
bool IsStartOfFrame(std::uint8_t marker) {
    return marker >= 0xC0 && marker <= 0xCF && marker != 0xC4 && marker != 0xC8 && marker != 0xCC;
}

std::uint64_t DivideRoundingUp(std::uint64_t value, std::uint64_t divisor) {
    return (value + divisor - 1) / divisor;
}

// As libjpeg sizes its whole-image coefficient arrays: blocks per component,
// rounded up to whole sampling units.
std::uint64_t CoefficientBytes(const Frame& frame) {
    int maxHorizontal = 1;
    int maxVertical = 1;
    for (int i = 0; i < frame.componentCount; ++i) {
        maxHorizontal = std::max(maxHorizontal, frame.components[i].horizontal);
        maxVertical = std::max(maxVertical, frame.components[i].vertical);
    }
    std::uint64_t bytes = 0;
    for (int i = 0; i < frame.componentCount; ++i) {
        const Component& c = frame.components[i];
        const std::uint64_t across =
            DivideRoundingUp(frame.width * static_cast<std::uint64_t>(c.horizontal),
                             static_cast<std::uint64_t>(maxHorizontal * BlockSide));
        const std::uint64_t down =
            DivideRoundingUp(frame.height * static_cast<std::uint64_t>(c.vertical),
                             static_cast<std::uint64_t>(maxVertical * BlockSide));
        bytes += DivideRoundingUp(across, static_cast<std::uint64_t>(c.horizontal)) *
                 static_cast<std::uint64_t>(c.horizontal) *
                 DivideRoundingUp(down, static_cast<std::uint64_t>(c.vertical)) *
                 static_cast<std::uint64_t>(c.vertical) * BlockBytes;
    }
    return bytes;
}

Frame ReadFrame(std::span<const std::uint8_t> segment, std::uint8_t marker) {
    Frame frame;
    if (segment.size() < 6) {
        return frame;
    }
    frame.progressive = (marker & 3) == 2;
    frame.height = static_cast<std::uint64_t>(segment[1] << 8 | segment[2]);
    frame.width = static_cast<std::uint64_t>(segment[3] << 8 | segment[4]);
    const int count = std::min<int>(segment[5], static_cast<int>(frame.components.size()));
    for (int i = 0; i < count && 6 + 3 * i + 2 < static_cast<int>(segment.size()); ++i) {
        const std::uint8_t sampling = segment[static_cast<std::size_t>(6 + 3 * i + 1)];
        frame.components[static_cast<std::size_t>(i)] = {std::max(1, sampling >> 4),
                                                         std::max(1, sampling & 15)};
        frame.componentCount = i + 1;
    }
    return frame;
}

} // namespace

std::uint64_t JpegCoefficientBytes(std::span<const std::uint8_t> file) {
    std::optional<Frame> frame;
    std::uint64_t bytes = 0;
    VisitJpegHeader(file, [&](const JpegSegment& segment) {
        if (IsStartOfFrame(segment.marker)) {
            frame = ReadFrame(segment.data, segment.marker);
        } else if (segment.marker == JpegStartOfScan && frame && !segment.data.empty() &&
                   (frame->progressive || segment.data[0] < frame->componentCount)) {
            bytes = CoefficientBytes(*frame);
        }
    });
    return bytes;
}

} // namespace kalvero
