#include "canvas/ColourButton.h"
#include "canvas/LogoCanvas.h"
#include "canvas/PalettePanel.h"
#include "shell/Form1Controls.h"
#include "shell/LinkLabel.h"
#include "shell/PicturePreview.h"
#include "shell/SizingLabel.h"

#include <QAbstractButton>
#include <QAction>
#include <QCheckBox>
#include <QMainWindow>
#include <QPushButton>
#include <gtest/gtest.h>

namespace kalvero {
namespace {

enum State { Off = 0, Enabled = 1, Checked = 2, Hidden = 4 };

struct Placement {
    const char* name;
    QRect pixels; // the design's twips divided by 15, rounded
    int state;
};

TEST(Form1Layout, EveryControlAtItsPlaceWithItsDesignState) {
    QMainWindow window;
    const Form1Controls ui = BuildForm1Controls(window);
    ASSERT_EQ(window.centralWidget()->size(), QSize(602, 389));

    const Placement table[] = {
        {"Picture1", {8, 8, 159, 140}, Enabled},
        {"ShowBmp_image", {456, 8, 140, 130}, Enabled},
        {"Picture2", {169, 24, 284, 100}, Enabled},
        {"Backup", {512, 176, 81, 17}, Enabled | Checked},
        {"InversCheck", {512, 216, 81, 17}, Off},
        {"SaveCheck", {512, 256, 81, 17}, Enabled | Checked},
        {"ShowRaster", {512, 296, 81, 17}, Enabled | Checked},
        {"PicBild", {456, 208, 33, 33}, Enabled | Hidden},
        {"Koordinaten", {8, 184, 153, 52}, Enabled},
        {"Farbauswahl", {8, 232, 145, 89}, Enabled},
        {"FarbAuswahlBalken", {16, 16, 113, 13}, Enabled},
        {"Option1_0", {8, 40, 17, 17}, Enabled | Checked},
        {"Option1_1", {24, 40, 17, 17}, Enabled},
        {"Option1_7", {120, 40, 17, 17}, Enabled},
        {"Option1_8", {8, 64, 17, 17}, Enabled},
        {"Option1_15", {120, 64, 17, 17}, Enabled},
        {"Ende_Command", {8, 344, 65, 35}, Enabled},
        {"LadeEpa_Command", {80, 352, 73, 27}, Enabled},
        {"SichEpa_Command", {152, 352, 73, 27}, Off},
        {"EpaToBmp", {224, 352, 73, 27}, Off},
        {"Deutsch", {304, 352, 29, 29}, Enabled | Checked},
        {"American", {336, 352, 29, 29}, Enabled},
        {"CreateEpa", {376, 352, 73, 27}, Off},
        {"LadeBmp_Command", {448, 352, 73, 27}, Enabled},
        {"Info", {528, 344, 65, 35}, Enabled},
    };
    for (const Placement& expected : table) {
        auto* control = window.findChild<QWidget*>(QLatin1String(expected.name));
        ASSERT_NE(control, nullptr) << expected.name;
        EXPECT_EQ(control->geometry(), expected.pixels) << expected.name;
        EXPECT_EQ(control->isEnabled(), (expected.state & Enabled) != 0) << expected.name;
        EXPECT_EQ(control->isHidden(), (expected.state & Hidden) != 0) << expected.name;
        if (auto* button = qobject_cast<QAbstractButton*>(control);
            button && button->isCheckable()) {
            EXPECT_EQ(button->isChecked(), (expected.state & Checked) != 0) << expected.name;
        }
    }
    // Labels take the size of their text but keep their design position.
    EXPECT_EQ(ui.BmpNameAnzeige->pos(), QPoint(528, 144));
    EXPECT_EQ(ui.EpaNameAnzeige->pos(), QPoint(80, 160));
    EXPECT_EQ(ui.lblHyperlink->y(), 0);
    EXPECT_NEAR(ui.lblHyperlink->geometry().center().x(), 312, 1);
    EXPECT_EQ(ui.Label1->y(), 128);
}

} // namespace
} // namespace kalvero
