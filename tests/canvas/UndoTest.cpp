#include "canvas/ColourButton.h"
#include "canvas/PalettePanel.h"
#include "shell/support/FormFixture.h"

#include <QApplication>
#include <QCheckBox>
#include <QTest>
#include <functional>
#include <map>

namespace kalvero::test {
namespace {

using Top = std::vector<int>; // attributes of the first five cells of the top row

class UndoTest : public FormFixture {
protected:
    void SetUp() override {
        FormFixture::SetUp();
        ui().SaveCheck->setChecked(false);
        ui().Backup->setChecked(false);
        form().show();
        form().activateWindow();
        QApplication::processEvents();
    }
    void open(const QString& logo) {
        dialogs.files.push_back(logo);
        form().LadeEpa_Command_Click();
    }
    // Presses on the first cell, drags over the others and lets go.
    void stroke(int colour, const std::vector<int>& cells) {
        ui().Farbauswahl->option(colour)->click();
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
};

const QKeyCombination Undo = Qt::CTRL | Qt::Key_Z;
const QKeyCombination Redo = Qt::CTRL | Qt::SHIFT | Qt::Key_Z;
const QKeyCombination RedoY = Qt::CTRL | Qt::Key_Y;

TEST_F(UndoTest, OneStrokeIsOneStepTakenBackAndDoneAgain) {
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

TEST_F(UndoTest, HistoryEndsWhereTheLogoIsReplacedOrReloaded) {
    const QString fileLogo = writeLogo("a.epa", true, 2, 0xFF);
    const QString otherLogo = writeLogo("b.epa", true, 3, 0xFF);
    using Action = std::function<void()>;
    const Action openFile = [&] {
        open(fileLogo);
    };
    const Action grid = [&] {
        ui().ShowRaster->click();
    };
    const Action fromBitmap = [&] {
        dialogs.files.push_back(writeMonoBitmap("pic.bmp", true));
        form().LadeBmp_Command_Click();
        form().CreateEpa_Click();
    };
    const Action noLogo = [&] { // Load BMP cancelled lets the logo go
        dialogs.files.push_back(std::nullopt);
        form().LadeBmp_Command_Click();
    };
    // logo, what happens, then the top row before and after Ctrl+Z and Ctrl+Y
    const std::tuple<Action, Action, Top, Top> cases[] = {
        {openFile, grid, {2, 2, 2, 2, 2}, {2, 2, 2, 2, 2}}, // reloaded from the file
        {openFile, [&] { open(otherLogo); }, {3, 3, 3, 3, 3}, {3, 3, 3, 3, 3}},
        {openFile, fromBitmap, {15, 15, 15, 15, 15}, {15, 15, 15, 15, 15}},
        {openFile, noLogo, {12, 2, 2, 2, 2}, {12, 2, 2, 2, 2}},
        {fromBitmap, grid, {12, 15, 15, 15, 15}, {12, 9, 15, 15, 15}}, // not reloaded
    };
    for (const auto& [logo, then, before, after] : cases) {
        logo();
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

} // namespace
} // namespace kalvero::test
