#include "shell/Form1Controls.h"
#include "shell/Form3.h"
#include "shell/Hinweis.h"
#include "shell/PictureButton.h"
#include "shell/PicturePreview.h"
#include "shell/support/FormFixture.h"

#include <QAction>
#include <QApplication>
#include <QLabel>
#include <QMainWindow>
#include <QStyleOptionButton>

namespace kalvero::test {
namespace {

enum State { Off = 0, Enabled = 1, Checked = 2 };

// A picture drawn for a scale factor of 2 (the placeholder at
// QT_SCALE_FACTOR=2) gets a frame of its size in the window's pixels.
TEST(PicturePreview, FrameFitsAPictureDrawnForAScaleFactor) {
    QPixmap picture(272, 252);
    picture.setDevicePixelRatio(2);
    PicturePreview preview;
    preview.showPicture(picture);
    EXPECT_EQ(preview.size(), QSize(140, 130)); // 136 x 126 and a border of 2
}

TEST(Form1Layout, AnchorsAtTheirPlacesAndNoControlOverAnother) {
    QMainWindow window;
    BuildForm1Controls(window);
    ASSERT_EQ(window.centralWidget()->size(), QSize(602, 389));
    // The design's twips divided by 15, rounded; the design's start state.
    const std::tuple<const char*, QRect, int> anchors[] = {
        {"Picture1", {8, 8, 159, 140}, Enabled},
        {"Option1_0", {8, 40, 17, 17}, Enabled | Checked},
        {"SichEpa_Command", {152, 352, 73, 27}, Off},
        {"Deutsch", {304, 352, 29, 29}, Enabled | Checked},
    };
    for (const auto& [name, pixels, state] : anchors) {
        auto* control = window.findChild<QWidget*>(QLatin1String(name));
        ASSERT_NE(control, nullptr) << name;
        EXPECT_EQ(control->geometry(), pixels) << name;
        EXPECT_EQ(control->isEnabled(), (state & Enabled) != 0) << name;
        if (auto* button = qobject_cast<QAbstractButton*>(control);
            button && button->isCheckable()) {
            EXPECT_EQ(button->isChecked(), (state & Checked) != 0) << name;
        }
    }
    // Nothing that takes a click lies over another such control; neighbours
    // of the design may share a seam one pixel wide.
    std::vector<QWidget*> controls;
    for (QWidget* child : window.centralWidget()->findChildren<QWidget*>()) {
        if (child->parentWidget() == window.centralWidget() && !child->isHidden() &&
            (qobject_cast<QAbstractButton*>(child) || qobject_cast<QFrame*>(child)) &&
            !qobject_cast<QLabel*>(child)) {
            controls.push_back(child);
        }
    }
    EXPECT_EQ(controls.size(), 15U);
    for (QWidget* a : controls) {
        for (QWidget* b : controls) {
            const QRect both = a->geometry() & b->geometry();
            EXPECT_TRUE(a == b || both.width() <= 1 || both.height() <= 1)
                << a->objectName().toStdString() << " over " << b->objectName().toStdString();
        }
    }
}

// The room a button leaves for its caption.
QRect CaptionRoom(QAbstractButton& button) {
    if (auto* picture = qobject_cast<PictureButton*>(&button)) {
        EXPECT_FALSE(picture->pictureRect().intersects(picture->captionRect()));
        EXPECT_TRUE(button.rect().contains(picture->pictureRect()));
        return picture->captionRect();
    }
    QStyleOptionButton option;
    option.initFrom(&button);
    const bool checkBox = qobject_cast<QCheckBox*>(&button) != nullptr;
    QRect room = button.style()->subElementRect(
        checkBox ? QStyle::SE_CheckBoxContents : QStyle::SE_PushButtonContents, &option, &button);
    if (!checkBox && !button.icon().isNull()) { // Qt's picture and 4 pixels go first
        room.setLeft(room.left() + button.iconSize().width() + 4);
    }
    return room;
}

using CaptionsTest = FormFixture;

TEST_F(CaptionsTest, EveryCaptionFitsItsControlInBothLanguages) {
    ui().Info->click();
    ui().about->trigger();
    std::vector<QAbstractButton*> buttons = {
        form().readMe()->okButton(), form().aboutWindow()->findChild<QPushButton*>("Command1")};
    for (const char* name :
         {"Ende_Command", "LadeEpa_Command", "SichEpa_Command", "EpaToBmp", "CreateEpa",
          "LadeBmp_Command", "Info", "Backup", "InversCheck", "SaveCheck", "ShowRaster"}) {
        buttons.push_back(form().findChild<QAbstractButton*>(name));
    }
    for (QToolButton* flag : {ui().Deutsch, ui().American}) {
        flag->click();
        for (QAbstractButton* button : buttons) {
            const QSize needed = button->fontMetrics().size(Qt::TextShowMnemonic, button->text());
            const QRect room = CaptionRoom(*button);
            EXPECT_TRUE(button->rect().contains(room) && needed.width() <= room.width() &&
                        needed.height() <= room.height())
                << button->text().toStdString() << ": " << needed.width() << " x "
                << needed.height() << " in " << room.width() << " x " << room.height();
        }
    }
    // The read-out's label, of a fixed size, with its longest text.
    const QRect room = ui().Koordinaten->contentsRect();
    const QSize needed =
        ui().Koordinaten->fontMetrics()
            .boundingRect(room, 0, "Pixel  x: 136 y: 126\r\nKoord. x:  16 y:   8\r\nOffset  : 152")
            .size();
    EXPECT_TRUE(needed.width() <= room.width() && needed.height() <= room.height());
}

using LanguageTest = FormFixture;

TEST_F(LanguageTest, FlagsSetEveryCaptionAndToolTipOfTheDesign) {
    enum Kind { Caption, ToolTip };
    // control, caption or tool tip, English, German: the design's captions,
    // written out by hand, and tool tips of each kind of control
    const std::tuple<QString, Kind, const char*, const char*> texts[] = {
        {"Ende_Command", Caption, "&Exit", "&Ende"},
        {"LadeEpa_Command", Caption, "&Load EPA", "EPA &Laden"},
        {"SichEpa_Command", Caption, "&Save EPA", "EPA &Sichern"},
        {"LadeBmp_Command", Caption, "Loa&d BMP", "BMP La&den"},
        {"SaveCheck", Caption, "&Messages", "&Meldungen"},
        {"InversCheck", Caption, "&Negative", "&Negativ"},
        {"ShowRaster", Caption, "&Grid", "&Raster"},
        {"Backup", Caption, "E&PA Backup", "E&PA Backup"},
        {"EpaToBmp", Caption, "EP&AtoBMP", "EP&AtoBMP"},
        {"CreateEpa", Caption, "&Kalvero", "&Kalvero"},
        {"Info", Caption, "&Info", "&Info"},
        {"Option1_15", ToolTip, "foregroundcolor", "Vordergrundfarbe"},
        {"InversCheck", ToolTip,
         "Revers the colors (black/white) during conversion from BMP to EPA image",
         "Vertauscht die Farben (schwarz/weiß) beim Umwandeln von BMP nach EPA"},
        {"Picture2", ToolTip, "Visit the homepage of Kalvero: https://kalvero.example.org",
         "Besuchen Sie die Kalvero-Homepage: https://kalvero.example.org"},
    };
    for (QToolButton* flag : {ui().Deutsch, ui().Deutsch, ui().American}) {
        flag->click();
        const bool german = flag == ui().Deutsch;
        EXPECT_EQ(ui().Deutsch->isChecked(), german);
        EXPECT_EQ(ui().American->isChecked(), !german);
        for (const auto& [name, kind, english, deutsch] : texts) {
            auto* control = form().findChild<QWidget*>(name);
            ASSERT_NE(control, nullptr) << name.toStdString();
            const QString shown = kind == Caption ? static_cast<QAbstractButton*>(control)->text()
                                                  : control->toolTip();
            EXPECT_EQ(shown, QString::fromUtf8(german ? deutsch : english)) << name.toStdString();
        }
    }
}

// Qt's own texts, such as the buttons of a question box, come from Qt's catalogue.
TEST_F(LanguageTest, QtsOwnButtonsFollowTheFlags) {
    for (const bool german : {true, false}) {
        (german ? ui().Deutsch : ui().American)->click();
        EXPECT_EQ(QCoreApplication::translate("QPlatformTheme", "&Yes"), german ? "&Ja" : "&Yes");
    }
}

} // namespace
} // namespace kalvero::test
