#include "shell/QtDialogs.h"
#include "shell/support/FormFixture.h"

#include <QAbstractButton>
#include <QApplication>
#include <QDialog>
#include <QDialogButtonBox>
#include <QPushButton>
#include <QTimer>
#include <QToolButton>

namespace kalvero::test {
namespace {

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
        document().EpaFileName = "/l/a.epa";
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
