#include "document/EpaTables.h"

namespace kalvero {
namespace {

constexpr std::array<std::uint8_t, EpaHeaderTemplateLength> MakeHeaderTemplate() {
    std::array<std::uint8_t, EpaHeaderTemplateLength> bytes{};
    bytes[0] = CellColumns;
    bytes[1] = TallCellRows;
    for (std::size_t i = 2; i < bytes.size(); ++i) {
        bytes[i] = 15;
    }
    return bytes;
}

} // namespace

const std::array<std::uint8_t, EpaHeaderTemplateLength> EpaHeaderTemplate = MakeHeaderTemplate();

const std::array<std::uint8_t, EpaTrailerLength> EpaTrailer{
    7,   31,  31,  63,  63,  127, 127, 127, 63,  63,  31,  31,  7,   0, //
    128, 224, 224, 240, 240, 248, 248, 248, 240, 240, 224, 224, 128, 0, //
    0,   14,  29,  61,  123, 251, 7,   7,   15,  15,  30,  24,  32,  0, //
    0,   255, 255, 255, 255, 255, 255, 239, 199, 3,   3,   3,   1,   0, //
    0,   224, 224, 224, 192, 192, 192, 128, 128, 128, 0,   0,   0,   0, //
};

} // namespace kalvero
