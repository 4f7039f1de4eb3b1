#pragma once

#include <cstddef>
#include <cstdint>
#include <functional>
#include <span>

namespace kalvero {

inline constexpr std::uint8_t JpegStartOfScan = 0xDA;

struct JpegSegment {
    std::uint8_t marker;
    std::size_t start;                  // offset of its 0xFF
    std::size_t end;                    // offset after it
    std::span<const std::uint8_t> data; // after the length bytes
};

// Calls visit for each marker segment of a JPEG's header, the first start of
// scan last. Gives the offset after the header, or 0 when the bytes are no
// JPEG or the header is cut off or out of order (libjpeg then says why).
std::size_t VisitJpegHeader(std::span<const std::uint8_t> file,
                            const std::function<void(const JpegSegment&)>& visit);

} // namespace kalvero
