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

// The 16-colour bitmap that Load BMP accepts (5830 bytes for 84 rows, 8686 for
// 126): indices holds 136 x height colour indices top-down; palette the 64
// bytes of 16 entries of blue, green, red, reserved.
std::vector<std::uint8_t> ColourBmpFile(std::span<const std::uint8_t> indices, int height,
                                        std::span<const std::uint8_t> palette);

} // namespace kalvero
