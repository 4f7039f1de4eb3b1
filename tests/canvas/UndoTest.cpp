#include "canvas/ColourButton.h"
#include "canvas/LogoCanvas.h"
#include "canvas/PalettePanel.h"
#include "shell/support/FormFixture.h"

#include <QApplication>
#include <QCheckBox>
#include <QPushButton>
#include <QTest>
#include <functional>
#include <map>

namespace kalvero::test {
namespace {

using Attributes = std::vector<int>; // cells 0 to 4 of the top row

class UndoTest : public FormFixture {
protected:
    void SetUp() override {
        FormFixture::SetUp();
        ui().SaveCheck->setChecked(false); // no save-first questions
        ui().Backup->setChecked(false);
        form().show();
        form().activateWindow();
        QApplication::processEvents();
    }
    void open(const QString& path) {
        dialogs.files.push_back(path);
        form().LadeEpa_Command_Click();
    }
    void createFromBitmap() {
        dialogs.files.push_back(writeMonoBitmap("pic.bmp", true));
        form().LadeBmp_Command_Click();
        form().CreateEpa_Click();
    }
    // Presses on the first cell, drags over the others and lets go.
    void stroke(int colour, std::initializer_list<int> cells) {
        ui().Farbauswahl->option(colour)->click();
        bool first = true;
        for (const int cell : cells) {
            const QPointF at(9.0 * cell + 4, 7);
            first ? pressOnCanvas(at, 1) : moveOnCanvas(at, 1);
            first = false;
        }
        releaseOnCanvas({0, 0});
    }
    void key(QKeyCombination combination) {
        QTest::keyClick(&form(), combination.key(), combination.keyboardModifiers());
    }
    Attributes top() {
        Attributes cells;
        for (int column = 0; column < 5; ++column) {
            cells.push_back(document().CellAttribute(column, 0));
        }
        return cells;
    }
};

const QKeyCombination Undo = Qt::CTRL | Qt::Key_Z;
const QKeyCombination RedoShift = Qt::CTRL | Qt::SHIFT | Qt::Key_Z;
const QKeyCombination RedoY = Qt::CTRL | Qt::Key_Y;

TEST_F(UndoTest, OneStrokeIsOneStepTakenBackAndDoneAgainByTheKeys) {
    // Attribute 47 is above 15: the cells show black until painted.
    open(writeLogo("a.epa", true, 47, 0xFF));
    const std::map<int, QRgb> shown = {{47, 0x000000}, {12, 0xFF0000}, {9, 0x0000FF}};
    struct Step {
        std::function<void()> act;
        Attributes expected;
    };
    const Step steps[] = {
        {[&] {
             stroke(12, {0, 1, 2, 1});
         },
         {12, 12, 12, 47, 47}},
        {[&] { stroke(9, {4}); }, {12, 12, 12, 47, 9}},
        {[&] { stroke(12, {0}); }, {12, 12, 12, 47, 9}}, // no change, no step
        {[&] { key(Undo); }, {12, 12, 12, 47, 47}},
        {[&] { key(Undo); }, {47, 47, 47, 47, 47}},
        {[&] { key(Undo); }, {47, 47, 47, 47, 47}},
        {[&] { key(RedoShift); }, {12, 12, 12, 47, 47}},
        {[&] { key(RedoY); }, {12, 12, 12, 47, 9}},
        {[&] { key(RedoY); }, {12, 12, 12, 47, 9}},
        {[&] { key(Undo); }, {12, 12, 12, 47, 47}},
        {[&] {
             stroke(9, {3, 2, 3});
         },
         {12, 12, 9, 9, 47}}, // a new stroke drops the redo
        {[&] { key(RedoY); }, {12, 12, 9, 9, 47}},
        {[&] { key(Undo); }, {12, 12, 12, 47, 47}},
        {[&] {
             stroke(9, {2, 3});
             stroke(12, {2});
             key(Undo);
         },
         {12, 12, 9, 9, 47}},
    };
    int number = 0;
    for (const Step& step : steps) {
        step.act();
        ++number;
        ASSERT_EQ(top(), step.expected) << "step " << number;
        for (int column = 0; column < 5; ++column) {
            EXPECT_EQ(canvasPixel(9 * column + 1, 1), shown.at(step.expected[column]))
                << "step " << number << ", cell " << column;
        }
    }
}

TEST_F(UndoTest, HistoryEndsWhereTheLogoIsReplacedOrReloaded) {
    const QString fileLogo = writeLogo("a.epa", true, 2, 0xFF);
    const QString otherLogo = writeLogo("b.epa", true, 3, 0xFF);
    struct Case {
        const char* what;
        std::function<void()> logo;
        std::function<void()> then;
        Attributes afterwards; // also after Ctrl+Z and Ctrl+Y
    };
    const Case cases[] = {
        {"grid switched: the file logo is reloaded",
         [&] { open(fileLogo); },
         [&] { ui().ShowRaster->click(); },
         {2, 2, 2, 2, 2}},
        {"another logo opened", [&] { open(fileLogo); }, [&] { open(otherLogo); }, {3, 3, 3, 3, 3}},
        {"a logo made from a bitmap",
         [&] { open(fileLogo); },
         [&] { createFromBitmap(); },
         {15, 15, 15, 15, 15}},
        {"the bitmap logo made again",
         [&] { createFromBitmap(); },
         [&] { createFromBitmap(); },
         {15, 15, 15, 15, 15}},
    };
    for (const Case& c : cases) {
        c.logo();
        stroke(12, {0});
        stroke(9, {1});
        key(Undo);
        c.then();
        ASSERT_EQ(top(), c.afterwards) << c.what;
        key(Undo);
        EXPECT_EQ(top(), c.afterwards) << c.what;
        key(RedoY);
        EXPECT_EQ(top(), c.afterwards) << c.what;
    }
}

TEST_F(UndoTest, GridSwitchOfABitmapLogoKeepsTheHistoryAndUndoDrawsInTheNewGrid) {
    createFromBitmap();
    stroke(12, {0});
    ui().ShowRaster->click(); // grid hidden: cell 0 starts at (0, 0)
    ui().Farbauswahl->option(9)->click();
    pressOnCanvas({20, 3}, 1); // cell 2
    releaseOnCanvas({20, 3});
    key(Undo);
    key(Undo);
    EXPECT_EQ(top(), (Attributes{15, 15, 15, 15, 15}));
    key(RedoY);
    EXPECT_EQ(top(), (Attributes{12, 15, 15, 15, 15}));
}

TEST_F(UndoTest, WithoutALogoTheKeysDoNothing) {
    open(writeLogo("a.epa", true, 2, 0xFF));
    stroke(12, {0});
    dialogs.files.push_back(ScriptedDialogs::FileAnswer::Cancel());
    form().LadeBmp_Command_Click(); // the logo is let go; EpaData stays
    key(Undo);
    EXPECT_EQ(document().CellAttribute(0, 0), 12);
}

} // namespace
} // namespace kalvero::test
