#include "canvas/ColourButton.h"
#include "canvas/LogoCanvas.h"
#include "canvas/PalettePanel.h"
#include "shell/Form1Controls.h"
#include "shell/Form3.h"
#include "shell/Hinweis.h"
#include "shell/LinkLabel.h"
#include "shell/PictureButton.h"
#include "shell/PicturePreview.h"
#include "shell/QtDialogs.h"
#include "shell/SizingLabel.h"
#include "shell/support/FormFixture.h"

#include <QAbstractButton>
#include <QAction>
#include <QApplication>
#include <QCheckBox>
#include <QDialog>
#include <QDialogButtonBox>
#include <QLabel>
#include <QMainWindow>
#include <QPushButton>
#include <QStyleOptionButton>
#include <QSvgRenderer>
#include <QTimer>
#include <QToolButton>
#include <gtest/gtest.h>

namespace kalvero::test {
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
    QWidget* readMe = form().readMe();
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
    // Labels of a fixed size, with their longest texts.
    const std::pair<QLabel*, QString> labels[] = {
        {ui().Koordinaten, "Pixel  x: 136 y: 126\r\nKoord. x:  16 y:   8\r\nOffset  : 152"},
        {readMe->findChild<QLabel*>("Label1"), "Kalvero"},
        {readMe->findChild<QLabel*>("Label3"), "Windows 9x/NT/2000"},
    };
    for (const auto& [label, text] : labels) {
        const QRect room = label->contentsRect();
        const QSize needed = label->fontMetrics().boundingRect(room, 0, text).size();
        EXPECT_TRUE(needed.width() <= room.width() && needed.height() <= room.height())
            << text.toStdString();
    }
}

TEST_F(CaptionsTest, SmallButtonsShowTheirPicturesUnscaledWithLettersSevenPixelsHigh) {
    const std::pair<const char*, const char*> pictures[] = {{"LadeEpa_Command", "load-epa"},
                                                            {"SichEpa_Command", "save-epa"},
                                                            {"LadeBmp_Command", "load-bmp"},
                                                            {"CreateEpa", "create-epa"}};
    for (const auto& [name, file] : pictures) {
        auto* button = form().findChild<PictureButton*>(name);
        EXPECT_EQ(button->iconSize(),
                  QSvgRenderer(QStringLiteral(":/buttons/%1.svg").arg(file)).defaultSize())
            << name;
        // Rows with the ink of "EPA" (dark blue) or "BMP" (purple) in them.
        const QImage picture = button->icon().pixmap(button->iconSize(), 1.0).toImage();
        int inked = 0;
        for (int y = 0; y < picture.height(); ++y) {
            bool ink = false;
            for (int x = 0; x < picture.width(); ++x) {
                const QRgb colour = picture.pixel(x, y) & 0xFFFFFF;
                ink = ink || colour == 0x0e2f9e || colour == 0xa0105a;
            }
            inked += ink ? 1 : 0;
        }
        EXPECT_EQ(inked, 7) << name;
    }
}

using LanguageTest = FormFixture;

TEST_F(LanguageTest, FlagsSwitchCaptionsToolTipsAndMessages) {
    // control, English, German, caption (else tool tip); written out by hand
    const std::tuple<const char*, const char*, const char*, bool> texts[] = {
        {"Ende_Command", "&Exit", "&Ende", true},
        {"LadeBmp_Command", "Loa&d BMP", "BMP La&den", true},
        {"ShowRaster", "&Grid", "&Raster", true},
        {"Backup", "E&PA Backup", "E&PA Backup", true},
        {"Option1_15", "foregroundcolor", "Vordergrundfarbe", false},
        {"InversCheck", "Revers the colors (black/white) during conversion from BMP to EPA image",
         "Vertauscht die Farben (schwarz/weiß) beim Umwandeln von BMP nach EPA", false},
        {"Picture2", "Visit the homepage of Kalvero: https://kalvero.example.org",
         "Besuchen Sie die Kalvero-Homepage: https://kalvero.example.org", false},
    };
    for (QToolButton* flag : {ui().Deutsch, ui().Deutsch, ui().American}) {
        flag->click();
        const bool german = flag == ui().Deutsch;
        EXPECT_EQ(ui().Deutsch->isChecked(), german);
        EXPECT_EQ(ui().American->isChecked(), !german);
        for (const auto& [name, english, deutsch, caption] : texts) {
            auto* control = form().findChild<QWidget*>(QLatin1String(name));
            const QString shown =
                caption ? static_cast<QAbstractButton*>(control)->text() : control->toolTip();
            EXPECT_EQ(shown, QString::fromUtf8(german ? deutsch : english)) << name;
        }
        // A message right after the click speaks the new language.
        document().saved("/l/a.epa");
        dialogs.answers.push_back(AnswerNo);
        dialogs.files.push_back(std::nullopt);
        form().LadeEpa_Command_Click();
        EXPECT_EQ(dialogs.messages.back().text,
                  german ? "Wollen Sie /l/a.epa vorher speichern ?" : "Save Changes to /l/a.epa ?");
    }
}

using Texts = std::vector<std::string>;

class QtLanguageTest : public FormFixture {
protected:
    // The buttons' captions of the dialog that Qt's dialogs open, which is then closed.
    Texts buttonsOf(const std::function<void(QtDialogs&)>& show) {
        QtDialogs qtDialogs;
        qtDialogs.setParentWindow(&form());
        Texts texts;
        QTimer::singleShot(0, [&texts] {
            QWidget* dialog = QApplication::activeModalWidget();
            for (QAbstractButton* button :
                 dialog->findChild<QDialogButtonBox*>()->findChildren<QAbstractButton*>()) {
                texts.push_back(button->text().toStdString());
            }
            static_cast<QDialog*>(dialog)->reject();
        });
        show(qtDialogs);
        return texts;
    }
    Texts question() {
        return buttonsOf([](QtDialogs& d) {
            d.message({MessageIcon::Question, MessageButtons::YesNo, "Kalvero", "?"});
        });
    }
};

TEST_F(QtLanguageTest, QtsButtonsAndFileDialogsFollowTheFlagsAndNeedNoTranslationFiles) {
    const auto open = [](QtDialogs& d) {
        d.openFile({"(*.epa)|*.epa|", 1, "*.epa"});
    };
    for (const bool german : {true, false, true}) {
        (german ? ui().Deutsch : ui().American)->click();
        EXPECT_EQ(question(), german ? (Texts{"&Ja", "&Nein"}) : (Texts{"&Yes", "&No"}));
        EXPECT_EQ(buttonsOf(open),
                  german ? (Texts{"&Öffnen", "Abbrechen"}) : (Texts{"&Open", "Cancel"}));
    }
    qtTranslations = {path("no-translations")};
    start();
    ui().Deutsch->click();
    EXPECT_EQ(ui().LadeEpa_Command->text(), "EPA &Laden");
    EXPECT_EQ(question(), (Texts{"&Yes", "&No"}));
}

} // namespace
} // namespace kalvero::test
