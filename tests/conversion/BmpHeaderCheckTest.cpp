#include "conversion/BmpHeaderCheck.h"

#include "conversion/BmpWriter.h"

#include <gtest/gtest.h>

namespace kalvero {
namespace {

using Bytes = std::vector<std::uint8_t>;

TEST(BmpHeaderWarnings, OneLineForEachContradiction) {
    const Bytes mono84 = MonoBmpFile(Bytes(17 * 84), 84);
    const Bytes mono126 = MonoBmpFile(Bytes(17 * 126), 126);
    const Bytes colour84 = ColourBmpFile(Bytes(136 * 84), 136, 84, Bytes(64));
    const std::string colours = "the header is 124 bytes long, not 40: the colours are read from "
                                "the wrong place";
    const auto convert = BmpUse::Conversion;
    const auto show = BmpUse::Picture;
    // The bitmap, a 32-bit value written at an offset, and the warnings, one a line.
    const std::tuple<const Bytes&, std::size_t, std::int32_t, BmpUse, std::string> cases[] = {
        {mono84, 6, 0, show, ""}, // as written, reserved bytes aside
        {mono126, 22, -126, convert, "rows are stored top-down: the logo will be upside down"},
        {mono84, 22, -126, convert,
         "rows are stored top-down: the logo will be upside down\n"
         "the header says 136 x 126 pixels: the file is read as 136 x 84"},
        {colour84, 18, 140, convert,
         "the header says 140 x 84 pixels: the file is read as 136 x 84"},
        {mono126, 28, 8, convert,
         "the header says 8 bits a pixel: the file is read as 1 bit a pixel"},
        {colour84, 28, 1, convert,
         "the header says 1 bit a pixel: the file is read as 4 bits a pixel"},
        {colour84, 30, 2, convert,
         "the header says the pixels are compressed (RLE4): they are read as if they were not"},
        {mono84, 10, 70, convert,
         "the header puts the pixels at byte 70: they are read from byte 62"},
        {colour84, 14, 124, convert, colours},
        {mono84, 14, 124, convert, ""}, // a two-colour bitmap's colours make no logo
        {mono84, 14, 124, show, colours},
        {mono84, 0, 'P' | 'K' << 8, convert,
         "the file does not begin with BM: it is read as a bitmap for its size alone"},
    };
    for (const auto& [bitmap, at, value, use, expected] : cases) {
        Bytes file = bitmap;
        for (std::size_t i = 0; i < 4; ++i) {
            file[at + i] = static_cast<std::uint8_t>(static_cast<std::uint32_t>(value) >> 8 * i);
        }
        std::string warnings;
        for (const std::string& line : BmpHeaderWarnings(file, use)) {
            warnings += (warnings.empty() ? "" : "\n") + line;
        }
        EXPECT_EQ(warnings, expected) << at << " " << value;
    }
    // Only the four accepted sizes are bitmaps.
    EXPECT_TRUE(BmpHeaderWarnings(Bytes(1743), BmpUse::Picture).empty());
}

} // namespace
} // namespace kalvero
