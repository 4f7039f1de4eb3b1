#pragma once

#include <cstdint>
#include <vector>

namespace kalvero::test {

// The 8 header bytes of an EPA 2.0 image: "AWBM", width and height, low byte first.
inline std::vector<std::uint8_t> Epa2Header(int width, int height) {
    std::vector<std::uint8_t> bytes{'A', 'W', 'B', 'M'};
    for (const int value : {width, height}) {
        bytes.insert(bytes.end(), {std::uint8_t(value), std::uint8_t(value >> 8)});
    }
    return bytes;
}

// A 256-colour EPA 2.0 image, all zeros: header, a byte a pixel, "RGB ", 768 palette bytes.
inline std::vector<std::uint8_t> Epa2Image256(int width, int height) {
    std::vector<std::uint8_t> bytes = Epa2Header(width, height);
    bytes.resize(bytes.size() + static_cast<std::size_t>(width) * static_cast<std::size_t>(height));
    bytes.insert(bytes.end(), {'R', 'G', 'B', ' '});
    bytes.resize(bytes.size() + 768);
    return bytes;
}

} // namespace kalvero::test
