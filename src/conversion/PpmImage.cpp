#include "conversion/PpmImage.h"

#include <cstring>
#include <string>

namespace kalvero {
namespace {

// A screen is far below this; a larger header number is damage.
constexpr int MaxSide = 16384;

bool IsSpace(std::uint8_t byte) {
    return byte == ' ' || byte == '\n' || byte == '\r' || byte == '\t';
}

// The header number at position, after the white space before it; -1 when
// there is none.
int HeaderNumber(std::span<const std::uint8_t> bytes, std::size_t& position) {
    while (position < bytes.size() && IsSpace(bytes[position])) {
        ++position;
    }
    int value = -1;
    while (position < bytes.size() && bytes[position] >= '0' && bytes[position] <= '9') {
        value = (value < 0 ? 0 : value * 10) + (bytes[position++] - '0');
        if (value > MaxSide) {
            return -1;
        }
    }
    return value;
}

FileError NotAScreen(const Reason& why) {
    return FileError{FileProblem::NotAccepted,
                     Reason::of<"not a screen picture (binary PPM): {}",
                                "kein Bildschirmbild (binäres PPM): {}">(why)};
}

} // namespace

FileResult<RgbImage> ReadPpm(std::span<const std::uint8_t> bytes) {
    if (bytes.size() < 2 || bytes[0] != 'P' || bytes[1] != '6') {
        return NotAScreen(Reason::of<"it does not start with P6", "es beginnt nicht mit P6">());
    }
    std::size_t position = 2;
    const int width = HeaderNumber(bytes, position);
    const int height = HeaderNumber(bytes, position);
    const int maximum = HeaderNumber(bytes, position);
    if (width <= 0 || height <= 0 || maximum != 255 || position >= bytes.size() ||
        !IsSpace(bytes[position])) {
        return NotAScreen(Reason::of<"its header is not width, height and 255",
                                     "sein Kopf ist nicht Breite, Höhe und 255">());
    }
    ++position;
    const std::size_t length = static_cast<std::size_t>(width) * static_cast<std::size_t>(height);
    if (bytes.size() - position < 3 * length) {
        return NotAScreen(Reason::of<"it is cut short", "es ist abgeschnitten">());
    }
    RgbImage image{width, height, std::vector<Rgb>(length)};
    std::memcpy(image.pixels.data(), bytes.data() + position, 3 * length);
    return image;
}

} // namespace kalvero
