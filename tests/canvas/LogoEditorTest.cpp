#include "bios/LogoReplacer.h"
#include "conversion/BootView.h"
#include "conversion/PreviewImage.h"
#include "shell/BootPreview.h"
#include "shell/support/FormFixture.h"

#include <QAction>
#include <QApplication>
#include <QLabel>
#include <QTest>

namespace kalvero::test {
namespace {

constexpr QRgb Grey = 0xE0E0E0, Black = 0, Red = 0xFF0000, Yellow = 0xFFFF00, White = 0xFFFFFF;

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
    void key(QKeyCombination keys) {
        QTest::keyClick(&form(), keys.key(), keys.keyboardModifiers());
    }
    // Cell (0, 0) red with only its top-left pixel set, the last cell yellow
    // with only its bottom-right pixel set, every other cell all white.
    void makePatternLogo(bool tall) {
        MakeBitmapLogo(form().session(), {}, tall);
        LogoDocument& logo = document();
        const LogoLayout size = logo.layout();
        for (int cell = 0; cell < size.cellCount; ++cell) {
            for (int line = 0; line < CellHeight; ++line) {
                const bool first = cell == 0, last = cell == size.cellCount - 1;
                logo.SetGlyphRow(cell % CellColumns, cell / CellColumns, line,
                                 first  ? (line == 0 ? 0x80 : 0)
                                 : last ? (line == CellHeight - 1 ? 0x01 : 0)
                                        : 0xFF);
            }
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

// The canvas passes the pointer and the keys to the editor's input (whose
// cells, strokes and key cell tests/editor tests) and draws what comes out.
TEST_F(LogoEditorTest, PointerKeysAndUndoKeysReachTheInputAndItsOutcomeIsDrawn) {
    makePatternLogo(true);
    showQuietly();
    pick(12);
    // The 2-pixel frame around the drawing area is no part of the logo.
    for (const QPointF& at : {QPointF(-2, 40), QPointF(40, -1)}) {
        pressOnCanvas(at, 2);
        moveOnCanvas(at, 1);
    }
    EXPECT_EQ(ui().Koordinaten->text(), "");
    EXPECT_EQ(document().CellAttribute(0, 2), 15);
    pressOnCanvas({10, 1}, 2);
    EXPECT_EQ(canvasPixel(10, 1), Red);
    // Beyond the widget, where only a drag reaches, the events go on.
    moveOnCanvas({-20, 50}, 1);
    releaseOnCanvas({0, 0});
    EXPECT_EQ(canvasPixel(1, 46), Red);
    EXPECT_EQ(ui().Koordinaten->text(),
              "Pixel  x: -20 y:  47\r\nKoord. x:   0 y:   3\r\nOffset  :  51");

    ui().Picture1->setFocus(Qt::TabFocusReason);
    for (const Qt::Key k : {Qt::Key_Right, Qt::Key_Right, Qt::Key_Down, Qt::Key_Down}) {
        QTest::keyClick(ui().Picture1, k);
    }
    QTest::keyClick(ui().Picture1, Qt::Key_Space);
    EXPECT_EQ(canvasPixel(19, 31), Red);
    // The frame stands on the grid lines around cell (2, 2), drawn over the canvas.
    const QImage shown = ui().Picture1->grab().toImage();
    const QPoint corner = ui().Picture1->contentsRect().topLeft() + QPoint(18, 30);
    EXPECT_NE(shown.pixel(corner) & 0xFFFFFFU, Grey);
    EXPECT_EQ(canvasPixel(18, 30), Grey);
    // Each undo and redo key, with the cell it redraws.
    const std::pair<QKeyCombination, QRgb> undoKeys[] = {{Qt::CTRL | Qt::Key_Z, White},
                                                         {Qt::CTRL | Qt::SHIFT | Qt::Key_Z, Red},
                                                         {Qt::CTRL | Qt::Key_Z, White},
                                                         {Qt::CTRL | Qt::Key_Y, Red}};
    for (const auto& [keys, colour] : undoKeys) {
        key(keys);
        EXPECT_EQ(canvasPixel(19, 31), colour) << keys.toCombined();
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
}

} // namespace
} // namespace kalvero::test
