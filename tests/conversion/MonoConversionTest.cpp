#include "conversion/MonoConversion.h"

#include "conversion/BmpExport.h"

#include <gtest/gtest.h>
#include <tuple>

namespace kalvero {
namespace {

using Bytes = std::vector<std::uint8_t>;

TEST(ConvertMonoBmp, EachPixelBecomesItsGlyphBitAndNothingElseCounts) {
    // Tall, pixel x and y, Negative, and the one glyph byte that differs from the others.
    const std::tuple<bool, int, int, bool, int, int> cases[] = {
        {true, 0, 0, false, 156, 0x80},        // top-left pixel: first glyph byte, leftmost bit
        {true, 8, 14, false, 170 + 238, 0x80}, // cell column 1, row 1
        {true, 135, 125, false, 2297, 0x01},   // bottom-right pixel: last glyph byte
        {false, 20, 30, false, 611, 0x08},     // cell (2, 2), line 2
        {false, 0, 0, true, 105, 0x7F},        // every other glyph byte is 0xFF
    };
    for (const auto& [tall, x, y, negative, position, value] : cases) {
        Bytes bitmap(tall ? 2582 : 1742, 0xFF); // headers, palette and row padding: ignored
        for (std::size_t row = 62; row < bitmap.size(); row += 20) {
            std::fill_n(bitmap.begin() + static_cast<long>(row), 17, 0);
        }
        bitmap[static_cast<std::size_t>(62 + ((tall ? 125 : 83) - y) * 20 + x / 8)] = 0x80 >> x % 8;
        LogoDocument document(tall);
        ConvertMonoBmp(document, bitmap, negative);
        const LogoLayout size = LayoutFor(tall);
        const int other = negative ? 0xFF : 0;
        for (int at = size.glyphOffset + 1; at <= size.trailerOffset; ++at) {
            ASSERT_EQ(document.EpaData(at), at == position ? value : other) << x << "," << y;
        }
    }
}

TEST(MonoBmpFromLogo, HeaderOfBothSizesAndGlyphsThatConvertBack) {
    // clang-format off
    const Bytes shortHeader = {
        'B', 'M', 0xCE, 0x06, 0, 0, 0, 0, 0, 0, 62, 0, 0, 0, // length 1742, pixels at 62
        40, 0, 0, 0, 136, 0, 0, 0, 84, 0, 0, 0, 1, 0, 1, 0, // 136 x 84, 1 plane, 1 bit
        0, 0, 0, 0, 0x90, 0x06, 0, 0, 0x12, 0x0B, 0, 0, 0x12, 0x0B, 0, 0, // 1680 bytes, 2834 dpm
        2, 0, 0, 0, 2, 0, 0, 0, 0, 0, 0, 0, 255, 255, 255, 255, // 2 colours: black, white
    };
    // clang-format on
    Bytes tallHeader = shortHeader;
    for (const auto& [at, value] :
         {std::pair{2, 0x16}, {3, 0x0A}, {22, 126}, {34, 0xD8}, {35, 0x09}}) {
        tallHeader[at] = value; // length 2582, 126 rows, 2520 pixel bytes
    }
    for (const bool tall : {false, true}) {
        LogoDocument original(tall);
        const LogoLayout size = original.layout();
        for (int cell = 0; cell < size.cellCount; ++cell) {
            for (int line = 0; line < CellHeight; ++line) {
                original.SetGlyphRow(cell % CellColumns, cell / CellColumns, line,
                                     static_cast<std::uint8_t>(cell * 73 + line * 5));
            }
        }
        const Bytes bmp = MonoBmpFromLogo(original);
        ASSERT_EQ(bmp.size(), tall ? 2582U : 1742U);
        EXPECT_EQ(Bytes(bmp.begin(), bmp.begin() + 62), tall ? tallHeader : shortHeader);
        LogoDocument converted(tall);
        ConvertMonoBmp(converted, bmp, false);
        for (int at = size.glyphOffset + 1; at <= size.trailerOffset; ++at) {
            ASSERT_EQ(converted.EpaData(at), original.EpaData(at)) << at;
        }
    }
}

} // namespace
} // namespace kalvero
