#include "bios/LogoReplacer.h"
#include "conversion/BootView.h"
#include "conversion/PreviewImage.h"
#include "editor/PointerCell.h"
#include "shell/BootPreview.h"
#include "shell/support/FormFixture.h"

#include <QAction>
#include <QApplication>
#include <QLabel>
#include <QTest>
#include <functional>
#include <map>

namespace kalvero::test {
namespace {

constexpr QRgb Grey = 0xE0E0E0, Black = 0, Red = 0xFF0000, Yellow = 0xFFFF00, White = 0xFFFFFF;

using Top = std::vector<int>; // attributes of the first five cells of the top row
using Bytes = std::vector<std::uint8_t>;

QImage Picture(const RgbImage& image) {
    return QImage(reinterpret_cast<const uchar*>(image.pixels.data()), image.width, image.height,
                  image.width * 3, QImage::Format_RGB888)
        .convertToFormat(QImage::Format_RGB32);
}

class LogoEditorTest : public FormFixture {
protected:
    // Shown and active, for the keys; no questions, no backups.
    void showQuietly() {
        quiet();
        form().show();
        form().activateWindow();
        QApplication::processEvents();
    }
    void open(const std::string& logo) {
        dialogs.files.push_back(logo);
        form().LadeEpa_Command_Click();
    }
    // Presses on the first cell, drags over the others and lets go.
    void stroke(int colour, const std::vector<int>& cells) {
        pick(colour);
        for (std::size_t i = 0; i < cells.size(); ++i) {
            const QPointF at(9.0 * cells[i] + 4, 7);
            i == 0 ? pressOnCanvas(at, 1) : moveOnCanvas(at, 1);
        }
        releaseOnCanvas({0, 0});
    }
    void key(QKeyCombination keys) {
        QTest::keyClick(&form(), keys.key(), keys.keyboardModifiers());
    }
    Top top() {
        Top cells;
        for (int column = 0; column < 5; ++column) {
            cells.push_back(document().CellAttribute(column, 0));
        }
        return cells;
    }
    // Cell (0, 0) red with only its top-left pixel set, the last cell yellow
    // with only its bottom-right pixel set, every other cell all white.
    void makePatternLogo(bool tall) {
        MakeBitmapLogo(form().session(), {}, tall);
        LogoDocument& logo = document();
        const LogoLayout size = logo.layout();
        for (int position = size.glyphOffset + 1; position <= size.trailerOffset; ++position) {
            logo.EpaData(position) = 0xFF;
        }
        for (int line = 0; line < 14; ++line) {
            logo.EpaData(size.glyphOffset + 1 + line) = line == 0 ? 0x80 : 0;
            logo.EpaData(size.trailerOffset - line) = line == 0 ? 0x01 : 0;
        }
        logo.SetCellAttribute(0, 0, 12);
        logo.SetCellAttribute(16, size.cellRows - 1, 14);
        ui().Picture1->clear();
        form().editor().RedrawCanvas();
    }
    void clickGrid() { ui().ShowRaster->click(); }
    void pick(int index) { ui().Farbauswahl->option(index)->click(); }
    void expectPixels(std::initializer_list<std::tuple<int, int, QRgb>> pixels) {
        for (const auto& [x, y, colour] : pixels) {
            EXPECT_EQ(canvasPixel(x, y), colour) << x << "," << y;
        }
    }
};

TEST_F(LogoEditorTest, RedrawWithAndWithoutTheGrid) {
    makePatternLogo(true);
    expectPixels({{1, 1, Red},
                  {2, 1, Black},
                  {0, 0, Grey},
                  {9, 5, Grey},
                  {10, 1, White},
                  {152, 134, Yellow}});
    clickGrid();
    const QRgb buttonFace = QApplication::palette().color(QPalette::Button).rgb() & 0xFFFFFF;
    expectPixels({{0, 0, Red}, {8, 0, White}, {135, 125, Yellow}, {136, 0, buttonFace}});
    clickGrid(); // grid lines are now in the button colour
    expectPixels({{0, 0, buttonFace}, {1, 1, Red}});
}

TEST_F(LogoEditorTest, PressWithAnyButtonPaintsDragOnlyWithTheLeftAloneAndOnlyALogo) {
    const QImage empty = ui().Picture1->image();
    pressOnCanvas({10, 10}, 1); // no logo yet
    EXPECT_EQ(ui().Picture1->image(), empty);
    makePatternLogo(true);
    document().SetCellAttribute(1, 0, 0x2F); // above 15: black until painted
    form().editor().RedrawCanvas();
    EXPECT_EQ(canvasPixel(10, 1), Black);
    pick(12);
    // press?, button mask, x, column painted?
    const std::tuple<bool, int, int, bool> steps[] = {{true, 2, 10, true},   {true, 4, 19, true},
                                                      {false, 3, 28, false}, {false, 0, 37, false},
                                                      {false, 2, 46, false}, {false, 1, 55, true}};
    for (const auto& [press, buttons, x, painted] : steps) {
        press ? pressOnCanvas({double(x), 1}, buttons) : moveOnCanvas({double(x), 1}, buttons);
        EXPECT_EQ(document().CellAttribute(x / 9, 0), painted ? 12 : 15) << buttons;
        EXPECT_EQ(canvasPixel(x / 9 * 9 + 1, 1), painted ? Red : White) << buttons;
    }
}

TEST_F(LogoEditorTest, DragsClampLeftAndAboveAndStopRightBelowAndOnTheFrame) {
    makePatternLogo(true);
    pick(9);
    // The 2-pixel frame around the drawing area is no part of the logo.
    for (const QPointF& at : {QPointF(-1, 40), QPointF(-2, 40), QPointF(40, -1)}) {
        pressOnCanvas(at, 1);
        moveOnCanvas(at, 1);
    }
    EXPECT_EQ(ui().Koordinaten->text(), "");
    EXPECT_EQ(document().CellAttribute(0, 2), 15);
    // Beyond the widget, where only a drag reaches, left and above clamp.
    moveOnCanvas({-20, 50}, 1);
    moveOnCanvas({70, -30}, 1);
    EXPECT_EQ(document().CellAttribute(0, 3), 9);
    EXPECT_EQ(document().CellAttribute(7, 0), 9);
    const QString readout = ui().Koordinaten->text();
    moveOnCanvas({153, 50}, 1);
    moveOnCanvas({50, 135}, 1);
    EXPECT_EQ(document().CellAttribute(16, 3), 15);
    EXPECT_EQ(document().CellAttribute(5, 8), 15);
    EXPECT_EQ(ui().Koordinaten->text(), readout) << "unchanged outside";
    moveOnCanvas({152, 134}, 1);
    EXPECT_EQ(document().CellAttribute(16, 8), 9);
}

TEST_F(LogoEditorTest, ArrowKeysMoveAFramedCellAndTheSpaceBarPaintsIt) {
    makePatternLogo(true);
    showQuietly();
    ui().Picture1->setFocus(Qt::TabFocusReason);
    ASSERT_TRUE(ui().Picture1->hasFocus());
    pick(12);
    for (const Qt::Key key : {Qt::Key_Up, Qt::Key_Left, Qt::Key_Right, Qt::Key_Right, Qt::Key_Right,
                              Qt::Key_Down, Qt::Key_Down, Qt::Key_Left}) {
        QTest::keyClick(ui().Picture1, key);
    }
    QTest::keyClick(ui().Picture1, Qt::Key_Space);
    EXPECT_EQ(document().CellAttribute(2, 2), 12);
    EXPECT_EQ(canvasPixel(19, 31), Red);
    // The frame stands on the grid lines around cell (2, 2), drawn over the canvas.
    const QImage shown = ui().Picture1->grab().toImage();
    const QPoint corner = ui().Picture1->contentsRect().topLeft() + QPoint(18, 30);
    EXPECT_NE(shown.pixel(corner) & 0xFFFFFFU, Grey);
    EXPECT_EQ(canvasPixel(18, 30), Grey);
}

TEST(PointerCell, ReadOutOfBothGridModesAndTheRangeLimits) {
    // x, y, tall logo, grid offset, read-out (none outside the limits)
    const std::tuple<double, double, bool, int, const char*> cases[] = {
        {1, 1, true, 0, "Pixel  x:   1 y:   1\r\nKoord. x:   0 y:   0\r\nOffset  :   0"},
        {152, 134, true, 0, "Pixel  x: 136 y: 126\r\nKoord. x:  16 y:   8\r\nOffset  : 152"},
        {135, 83, false, 1, "Pixel  x: 136 y:  84\r\nKoord. x:  16 y:   5\r\nOffset  : 101"},
        // On the grid line x = 9: the next cell, but the last pixel of the one before.
        {9, 15, true, 0, "Pixel  x:   8 y:  14\r\nKoord. x:   1 y:   1\r\nOffset  :  18"},
        {0, 0, true, 0, "Pixel  x:   0 y:   0\r\nKoord. x:   0 y:   0\r\nOffset  :   0"},
        // Dragged out left and above: cells clamp, pixels go negative, 4 characters unpadded.
        {-100.5, -5, true, 0, "Pixel  x:-101 y:  -5\r\nKoord. x:   0 y:   0\r\nOffset  :   0"},
        // Grid hidden, y 84..89 of a short logo is row 6, clamped to 5.
        {152, 89, false, 1, "Pixel  x: 153 y:  90\r\nKoord. x:  16 y:   5\r\nOffset  : 101"},
        // The limits are the same with and without the grid.
        {152.9, 0, true, 1, "Pixel  x: 153 y:   1\r\nKoord. x:  16 y:   0\r\nOffset  :  16"},
        {153, 0, true, 1, nullptr},
        {0, 90, false, 0, nullptr},
        {0, 134, true, 1, "Pixel  x:   1 y: 135\r\nKoord. x:   0 y:   8\r\nOffset  : 136"},
        {0, 135, true, 0, nullptr},
    };
    for (const auto& [x, y, tall, gridOffset, text] : cases) {
        const std::optional<PointerCell> cell = CellUnderPointer(x, y, tall, gridOffset);
        EXPECT_EQ(cell ? ReadoutText(*cell) : "", text ? text : "") << x << "," << y;
    }
}

const QKeyCombination Undo = Qt::CTRL | Qt::Key_Z;
const QKeyCombination Redo = Qt::CTRL | Qt::SHIFT | Qt::Key_Z;
const QKeyCombination RedoY = Qt::CTRL | Qt::Key_Y;

TEST_F(LogoEditorTest, OneStrokeIsOneStepTakenBackAndDoneAgain) {
    showQuietly();
    open(writeLogo("a.epa", true, 47, 0xFF)); // above 15: black until painted
    const std::map<int, QRgb> shown = {{47, 0x000000}, {12, 0xFF0000}, {9, 0x0000FF}};
    struct Step {
        std::vector<QKeyCombination> keys; // pressed first
        int colour;
        std::vector<int> cells; // then painted in one stroke
        Top expected;
    };
    const Step steps[] = {
        {{}, 12, {0, 1, 2, 1}, {12, 12, 12, 47, 47}},
        {{}, 9, {4}, {12, 12, 12, 47, 9}},
        {{}, 12, {0}, {12, 12, 12, 47, 9}}, // no change, no step
        {{Undo}, 0, {}, {12, 12, 12, 47, 47}},
        {{Undo, Undo}, 0, {}, {47, 47, 47, 47, 47}},
        {{Redo, RedoY, RedoY}, 0, {}, {12, 12, 12, 47, 9}},
        {{Undo}, 9, {3, 2, 3}, {12, 12, 9, 9, 47}},
        {{RedoY}, 0, {}, {12, 12, 9, 9, 47}}, // the new stroke dropped the redo
        {{}, 12, {2}, {12, 12, 12, 9, 47}},
        {{Undo}, 0, {}, {12, 12, 9, 9, 47}},
    };
    for (const auto& [keys, colour, cells, expected] : steps) {
        for (const QKeyCombination k : keys) {
            key(k);
        }
        if (!cells.empty()) {
            stroke(colour, cells);
        }
        ASSERT_EQ(top(), expected);
        for (int column = 0; column < 5; ++column) {
            EXPECT_EQ(canvasPixel(9 * column + 1, 1), shown.at(expected[column])) << column;
        }
    }
}

TEST_F(LogoEditorTest, UndoHistoryEndsOnlyWhereTheLogoIsReplaced) {
    showQuietly();
    const std::string fileLogo = writeLogo("a.epa", true, 2, 0xFF);
    const std::string otherLogo = writeLogo("b.epa", true, 3, 0xFF);
    const std::string bitmap = writeMonoBitmap("pic.bmp", true);
    const auto loadBitmap = [&](const std::optional<std::string>& chosen) {
        dialogs.files.push_back(chosen);
        form().LadeBmp_Command_Click();
    };
    // what happens, then the top row before and after Ctrl+Z and Ctrl+Y twice
    const std::tuple<std::function<void()>, Top, Top> cases[] = {
        {[&] { ui().ShowRaster->click(); }, {12, 2, 2, 2, 2}, {12, 9, 2, 2, 2}}, // not read again
        {[&] { loadBitmap(std::nullopt); }, {12, 2, 2, 2, 2}, {12, 9, 2, 2, 2}},
        {[&] { open(otherLogo); }, {3, 3, 3, 3, 3}, {3, 3, 3, 3, 3}},
        {[&] {
             loadBitmap(bitmap);
             form().CreateEpa_Click();
         },
         {15, 15, 15, 15, 15},
         {15, 15, 15, 15, 15}},
    };
    for (const auto& [then, before, after] : cases) {
        open(fileLogo);
        stroke(12, {0});
        stroke(9, {1});
        key(Undo);
        then();
        EXPECT_EQ(top(), before);
        key(Undo);
        key(RedoY);
        key(RedoY);
        EXPECT_EQ(top(), after);
    }
}

// The logos of a BIOS image that are shown, not painted: drawn as `render`
// draws them, and behind F5 and F6.
TEST_F(LogoEditorTest, AnImagesEpa2AndFullScreenLogosAreDrawnAsRenderDrawsThem) {
    quiet();
    const Bytes screen = Epa2Logo(640, 480, 476); // stripe k, 32 pixels wide, in entry k % 16
    TestImage image = LayoutA({screen});
    image.chains[0].modules[1] = LogoModule(Epa2Logo(136, 84, 1));
    const Bytes boot = bios::ExtractLogo(Build(image).bytes, bios::LogoPlace::Boot).value();
    open(writeImage("board.rom", image));
    EXPECT_EQ(ui().Picture1->image().copy(0, 0, 136, 84), Picture(RenderPreview(boot, {}).value()));
    // F5, the canvas's first context menu entry, opens what `render
    // --boot-screen` draws of the logo.
    QAction* bootView = ui().Picture1->actions().at(0);
    EXPECT_EQ(bootView->shortcut(), QKeySequence(Qt::Key_F5));
    bootView->trigger();
    EXPECT_EQ(form().bootPreview()->findChild<QLabel*>()->pixmap().toImage().convertToFormat(
                  QImage::Format_RGB32),
              Picture(RenderBootView(ClassifyFile(boot.size(), boot), boot, 1, true).value()));

    QAction* fullScreen = ui().Picture1->actions().at(1);
    EXPECT_EQ(fullScreen->shortcut(), QKeySequence(Qt::Key_F6));
    ui().Deutsch->click();
    EXPECT_EQ(fullScreen->text(), "&Vollbild-Logo");
    EXPECT_TRUE(fullScreen->isVisible() && fullScreen->isEnabled() && !fullScreen->isChecked());
    fullScreen->trigger();
    // As wide as the canvas, in the middle of its height, without a read-out.
    EXPECT_EQ(canvasPixel(3, 68), 0x928271U);   // entry 0: 36, 32, 28 of 63
    EXPECT_EQ(canvasPixel(151, 68), 0x201000U); // entry 3, the last stripe
    EXPECT_EQ(canvasPixel(3, 3), ui().Picture1->background().rgb() & 0xFFFFFF);
    moveOnCanvas({20, 60}, 0);
    EXPECT_TRUE(ui().Koordinaten->text().isEmpty());

    // An image without a boot logo shows its full-screen logo at once.
    TestImage alone = LayoutA({screen});
    alone.chains[0].modules.erase(alone.chains[0].modules.begin() + 1);
    open(writeImage("alone.bin", alone));
    EXPECT_TRUE(fullScreen->isChecked() && !fullScreen->isEnabled());
}

} // namespace
} // namespace kalvero::test
