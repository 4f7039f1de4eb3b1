#include "document/LogoRaster.h"

#include <gtest/gtest.h>
#include <map>
#include <utility>

namespace kalvero {
namespace {

using Pixels = std::map<std::pair<int, int>, int>;

Pixels Draw(const LogoDocument& document, int gridOffset) {
    Pixels pixels;
    ForEachLogoPixel(document, CanvasGeometry{gridOffset}, [&](int x, int y, int colour) {
        pixels[{x, y}] = colour;
    });
    return pixels;
}

TEST(LogoRaster, CellsStandOnePixelApartWithTheGrid) {
    LogoDocument document;
    document.SetCellAttribute(0, 0, 4);
    document.SetCellAttribute(16, 8, 14);
    document.EpaData(156) = 0x80;  // cell 0, line 0, leftmost pixel
    document.EpaData(2297) = 0x01; // cell 152, line 13, rightmost pixel

    struct Case {
        int gridOffset;
        int x;
        int y;
        int colour;
    };
    const Case cases[] = {
        {0, 1, 1, 4}, {0, 2, 1, 0},      {0, 152, 134, 14}, {0, 151, 134, 0},
        {1, 0, 0, 4}, {1, 135, 125, 14}, {1, 1, 0, 0},
    };
    for (const Case& c : cases) {
        const Pixels pixels = Draw(document, c.gridOffset);
        ASSERT_TRUE(pixels.count({c.x, c.y})) << c.x << "," << c.y;
        EXPECT_EQ(pixels.at({c.x, c.y}), c.colour) << c.x << "," << c.y;
    }
}

TEST(LogoRaster, GridLinesAreNeverDrawnAndEveryLogoPixelIs) {
    LogoDocument document;
    const Pixels grid = Draw(document, 0);
    EXPECT_EQ(grid.size(), 136U * 126U);
    for (int line : {0, 9, 18, 144}) {
        EXPECT_FALSE(grid.count({line, 5})) << "column " << line;
    }
    for (int line : {0, 15, 30, 120}) {
        EXPECT_FALSE(grid.count({5, line})) << "row " << line;
    }
    EXPECT_EQ(grid.rbegin()->first, std::make_pair(152, 134));

    document.TallLogo = false;
    const Pixels plain = Draw(document, 1);
    EXPECT_EQ(plain.size(), 136U * 84U);
    EXPECT_EQ(plain.rbegin()->first, std::make_pair(135, 83));
}

TEST(LogoRaster, AttributeAboveFifteenIsDrawnBlack) {
    LogoDocument document;
    document.SetCellAttribute(3, 2, 0x1F);
    document.EpaData(156 + 14 * 37) = 0xFF;
    const Pixels pixels = Draw(document, 1);
    for (int x = 24; x < 32; ++x) {
        EXPECT_EQ(pixels.at({x, 28}), 0);
    }
}

TEST(LogoRaster, GeometryOfBothModes) {
    const LogoLayout tall = LayoutFor(true);
    const LogoLayout shortLogo = LayoutFor(false);
    EXPECT_EQ(CanvasGeometry{0}.logoWidth(), 154);
    EXPECT_EQ(CanvasGeometry{0}.logoHeight(tall), 136);
    EXPECT_EQ(CanvasGeometry{0}.logoHeight(shortLogo), 91);
    EXPECT_EQ(CanvasGeometry{1}.logoWidth(), 136);
    EXPECT_EQ(CanvasGeometry{1}.logoHeight(shortLogo), 84);
    EXPECT_EQ(CanvasGeometry{0}.cellLeft(16), 145);
    EXPECT_EQ(CanvasGeometry{0}.cellTop(8), 121);
}

} // namespace
} // namespace kalvero
