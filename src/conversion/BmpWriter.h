#pragma once

#include <cstdint>
#include <span>
#include <vector>

namespace kalvero {

// The two-colour bitmap that Load BMP accepts (1742 bytes for 84 rows, 2582
// for 126): 62 header bytes, palette black then white (the white entry's
// reserved byte 255), rows bottom-up of 17 pixel bytes and 3 zero bytes.
// rows holds the picture top-down, 17 bytes per row.
std::vector<std::uint8_t> MonoBmpFile(std::span<const std::uint8_t> rows, int height);

// A 16-colour bitmap in the layout Load BMP accepts, which for 136 x 84 and
// 136 x 126 is one of its sizes (5830 or 8686 bytes): indices holds width x
// height colour indices top-down; palette the 64 bytes of 16 entries of blue,
// green, red, reserved.
std::vector<std::uint8_t> ColourBmpFile(std::span<const std::uint8_t> indices, int width,
                                        int height, std::span<const std::uint8_t> palette);

} // namespace kalvero
