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

// A 16-colour EPA 2.0 image of 9 x 1 pixels written by hand: pixel x has index
// x, so the planes of 2 bytes each are padded by 7 bits; entries 0 to 8 of the
// palette are set, the rest black.
inline std::vector<std::uint8_t> Epa2NineByOne() {
    std::vector<std::uint8_t> bytes = Epa2Header(9, 1);
    // Planes 0 to 3: bit p of each index.
    bytes.insert(bytes.end(), {0x55, 0x00, 0x33, 0x00, 0x0F, 0x00, 0x00, 0x80});
    bytes.insert(bytes.end(), {'R', 'G', 'B', ' '});
    // Blue, green, red of entries 0 to 8.
    bytes.insert(bytes.end(), {0, 0,  0, 0,  63, 63, 42, 21, 0,  32, 32, 32, 1, 2,
                               3, 63, 0, 63, 16, 8,  4,  21, 42, 63, 0,  0,  1});
    bytes.resize(bytes.size() + 21, 0);
    return bytes;
}

} // namespace kalvero::test
