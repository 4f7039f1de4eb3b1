#pragma once

#include <algorithm>
#include <cstdint>
#include <vector>

namespace kalvero::test {

// The 8 header bytes of an EPA 2.0 image: "AWBM", width and height, low byte first.
inline std::vector<std::uint8_t> Epa2Header(int width, int height) {
    return {'A',
            'W',
            'B',
            'M',
            static_cast<std::uint8_t>(width & 0xFF),
            static_cast<std::uint8_t>(width >> 8),
            static_cast<std::uint8_t>(height & 0xFF),
            static_cast<std::uint8_t>(height >> 8)};
}

// An EPA 2.0 image of 256 colours, all pixels and palette entries 0: header,
// one byte a pixel, "RGB ", 256 blue, green, red entries.
inline std::vector<std::uint8_t> Epa2Image256(int width, int height) {
    const std::size_t pixels = static_cast<std::size_t>(width) * static_cast<std::size_t>(height);
    std::vector<std::uint8_t> bytes = Epa2Header(width, height);
    bytes.resize(8 + pixels + 4 + 768, 0);
    const std::uint8_t marker[] = {'R', 'G', 'B', ' '};
    std::copy(std::begin(marker), std::end(marker), bytes.begin() + 8 + static_cast<long>(pixels));
    return bytes;
}

} // namespace kalvero::test
