#include "canvas/ColourButton.h"
#include "canvas/LogoCanvas.h"
#include "canvas/PalettePanel.h"
#include "shell/SizingLabel.h"
#include "shell/support/FormFixture.h"

#include <QApplication>
#include <QCheckBox>
#include <QLabel>

namespace kalvero::test {
namespace {

constexpr QRgb Background = 0xE0E0E0; // light grey (224, 224, 224) of the design
constexpr QRgb Black = 0x000000;
constexpr QRgb Red = 0xFF0000;    // palette 12
constexpr QRgb Yellow = 0xFFFF00; // palette 14
constexpr QRgb White = 0xFFFFFF;  // palette 15

class LogoEditorTest : public FormFixture {
protected:
    // A logo in memory: cell (0, 0) red with only its top-left pixel set, the
    // last cell yellow with only its bottom-right pixel set, the rest white
    // with all pixels set.
    void makeBitmapLogo(bool tall) {
        LogoDocument& logo = document();
        logo.TallLogo = tall;
        logo.InitFromTemplate();
        const LogoLayout size = logo.layout();
        for (int position = size.glyphOffset + 1; position <= size.trailerOffset; ++position) {
            logo.EpaData(position) = 0xFF;
        }
        for (int line = 0; line < 14; ++line) {
            logo.EpaData(size.glyphOffset + 1 + line) = 0;
            logo.EpaData(size.trailerOffset - line) = 0;
        }
        logo.EpaData(size.glyphOffset + 1) = 0x80;
        logo.EpaData(size.trailerOffset) = 0x01;
        logo.SetCellAttribute(0, 0, 12);
        logo.SetCellAttribute(16, size.cellRows - 1, 14);
        logo.EpaFromBmp = true;
        ui().Picture1->clear();
        form().editor().RedrawCanvas();
    }
    void clickGrid() { ui().ShowRaster->click(); }
    void pick(int index) { ui().Farbauswahl->option(index)->click(); }
};

TEST_F(LogoEditorTest, RedrawPutsCellsOnePixelApartWithTheGrid) {
    makeBitmapLogo(true);
    struct Pixel {
        int x;
        int y;
        QRgb colour;
    };
    const Pixel withGrid[] = {
        {1, 1, Red},        {2, 1, Black},     {0, 0, Background},
        {9, 5, Background}, {10, 1, White},    {5, 15, Background},
        {152, 134, Yellow}, {151, 134, Black}, {153, 134, Background},
    };
    for (const Pixel& pixel : withGrid) {
        EXPECT_EQ(canvasPixel(pixel.x, pixel.y), pixel.colour) << pixel.x << "," << pixel.y;
    }

    clickGrid(); // hide it
    const QRgb buttonFace = QApplication::palette().color(QPalette::Button).rgb() & 0xFFFFFF;
    const Pixel withoutGrid[] = {
        {0, 0, Red}, {1, 0, Black}, {8, 0, White}, {135, 125, Yellow}, {136, 0, buttonFace},
    };
    for (const Pixel& pixel : withoutGrid) {
        EXPECT_EQ(canvasPixel(pixel.x, pixel.y), pixel.colour) << pixel.x << "," << pixel.y;
    }
    EXPECT_TRUE(form().editor().GridHidden);
    EXPECT_EQ(form().editor().GridOffset, 1);

    clickGrid(); // and show it again: the lines are now in the button colour
    EXPECT_EQ(canvasPixel(0, 0), buttonFace);
    EXPECT_EQ(canvasPixel(1, 1), Red);
    EXPECT_EQ(form().editor().GridOffset, 0);
}

TEST_F(LogoEditorTest, CanvasSizeAndNameLabelFollowLogoAndGrid) {
    struct Case {
        bool tall;
        bool grid;
        QSize outer;  // twips of the design / 15
        int labelTop; // 120 + canvas height + 20 twips, in pixels
    };
    const Case cases[] = {
        {true, true, {159, 140}, 149},
        {true, false, {141, 130}, 139},
        {false, true, {159, 96}, 105},
        {false, false, {141, 88}, 97},
    };
    for (const Case& c : cases) {
        makeBitmapLogo(c.tall);
        if (ui().ShowRaster->isChecked() != c.grid) {
            clickGrid();
        }
        EXPECT_EQ(ui().Picture1->size(), c.outer) << "tall=" << c.tall << " grid=" << c.grid;
        EXPECT_EQ(ui().EpaNameAnzeige->y(), c.labelTop) << "tall=" << c.tall << " grid=" << c.grid;
    }
}

TEST_F(LogoEditorTest, AttributeAboveFifteenIsDrawnBlackUntilPainted) {
    makeBitmapLogo(true);
    document().SetCellAttribute(1, 0, 0x2F);
    form().editor().RedrawCanvas();
    EXPECT_EQ(canvasPixel(10, 1), Black);

    pick(14);
    pressOnCanvas({12, 3}, 1);
    EXPECT_EQ(canvasPixel(10, 1), Yellow);
    EXPECT_EQ(document().CellAttribute(1, 0), 14);
}

TEST_F(LogoEditorTest, PressWithAnyButtonPaintsDragOnlyWithTheLeftAlone) {
    makeBitmapLogo(true);
    pick(12);
    EXPECT_EQ(ui().Farbauswahl->colourBar()->colour(), QColor(255, 0, 0));

    struct Step {
        bool press;
        int buttons;
        QPointF at;
        int column;
        bool painted;
    };
    const Step steps[] = {
        {true, 2, {10, 1}, 1, true},   {true, 4, {19, 1}, 2, true},   {false, 3, {28, 1}, 3, false},
        {false, 0, {37, 1}, 4, false}, {false, 2, {46, 1}, 5, false}, {false, 1, {55, 1}, 6, true},
    };
    for (const Step& step : steps) {
        if (step.press) {
            pressOnCanvas(step.at, step.buttons);
        } else {
            moveOnCanvas(step.at, step.buttons);
        }
        EXPECT_EQ(document().CellAttribute(step.column, 0), step.painted ? 12 : 15)
            << "buttons " << step.buttons;
        EXPECT_EQ(canvasPixel(9 * step.column + 1, 1), step.painted ? Red : White)
            << "buttons " << step.buttons;
    }
}

TEST_F(LogoEditorTest, DragOutsideLeftOrTopClampsRightOrBelowDoesNothing) {
    makeBitmapLogo(true);
    pick(9);
    moveOnCanvas({-20, 50}, 1);
    EXPECT_EQ(document().CellAttribute(0, 3), 9);
    moveOnCanvas({70, -30}, 1);
    EXPECT_EQ(document().CellAttribute(7, 0), 9);

    const QString before = ui().Koordinaten->text();
    moveOnCanvas({153, 50}, 1);
    moveOnCanvas({50, 135}, 1);
    EXPECT_EQ(document().CellAttribute(16, 3), 15);
    EXPECT_EQ(document().CellAttribute(5, 8), 15);
    EXPECT_EQ(ui().Koordinaten->text(), before);

    moveOnCanvas({152, 134}, 1);
    EXPECT_EQ(document().CellAttribute(16, 8), 9);
}

TEST_F(LogoEditorTest, ReadOutFollowsThePointerWithOrWithoutALogo) {
    moveOnCanvas({1, 1}, 0);
    EXPECT_EQ(ui().Koordinaten->text(),
              "Pixel  x:   1 y:   1\r\nKoord. x:   0 y:   0\r\nOffset  :   0");
    moveOnCanvas({152, 134}, 0);
    EXPECT_EQ(ui().Koordinaten->text(),
              "Pixel  x: 136 y: 126\r\nKoord. x:  16 y:   8\r\nOffset  : 152");
}

TEST_F(LogoEditorTest, WithoutALogoNothingIsPainted) {
    const QImage before = ui().Picture1->image();
    pick(12);
    pressOnCanvas({10, 10}, 1);
    moveOnCanvas({30, 30}, 1);
    EXPECT_EQ(ui().Picture1->image(), before);
    for (int position = 1; position <= 2367; ++position) {
        ASSERT_EQ(document().EpaData(position), 0);
    }
}

TEST_F(LogoEditorTest, GridSwitchReloadsAFileLogoAndLosesUnsavedColours) {
    const QString logo = writeLogo("boot.epa", true, 2, 0xFF);
    document().EpaFileName = logo.toStdString();
    form().editor().RedrawCanvas();
    pick(12);
    pressOnCanvas({1, 1}, 1);
    EXPECT_EQ(document().CellAttribute(0, 0), 12);
    EXPECT_EQ(canvasPixel(1, 1), Red);

    clickGrid();
    EXPECT_EQ(document().CellAttribute(0, 0), 2);
    EXPECT_EQ(canvasPixel(0, 0), qRgb(0, 128, 0) & 0xFFFFFF);
}

TEST_F(LogoEditorTest, BitmapLogoSurvivesGridSwitchEvenWithAnOlderFileName) {
    const QString logo = writeLogo("old.epa", true, 2, 0xFF);
    makeBitmapLogo(true);
    document().EpaFileName = logo.toStdString();
    pick(13);
    pressOnCanvas({1, 1}, 1);
    clickGrid();
    EXPECT_EQ(document().CellAttribute(0, 0), 13);
}

} // namespace
} // namespace kalvero::test
