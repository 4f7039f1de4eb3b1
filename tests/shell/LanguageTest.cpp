#include "shell/support/FormFixture.h"

#include <QAbstractButton>
#include <QToolButton>

namespace kalvero::test {
namespace {

struct Texts {
    const char* control;
    const char* english;
    const char* german;
};

// Written out by hand from the language tables.
const Texts Captions[] = {
    {"Ende_Command", "&Exit", "&Ende"},
    {"LadeEpa_Command", "&Load EPA", "EPA &Laden"},
    {"SichEpa_Command", "&Save EPA", "EPA &Sichern"},
    {"LadeBmp_Command", "Loa&d BMP", "BMP La&den"},
    {"SaveCheck", "&Messages", "&Meldungen"},
    {"InversCheck", "&Negative", "&Negativ"},
    {"ShowRaster", "&Grid", "&Raster"},
    {"Backup", "E&PA Backup", "E&PA Backup"},
    {"EpaToBmp", "EP&AtoBMP", "EP&AtoBMP"},
    {"CreateEpa", "&Kalvero", "&Kalvero"},
    {"Info", "&Info", "&Info"},
};

const Texts ToolTips[] = {
    {"Farbauswahl", "foregroundcolor", "Vordergrundfarbe"},
    {"Option1_0", "foregroundcolor", "Vordergrundfarbe"},
    {"Option1_15", "foregroundcolor", "Vordergrundfarbe"},
    {"CreateEpa", "Create EPA from BMP", "Erstellt EPA aus BMP"},
    {"EpaToBmp", "Create BMP from EPA", "Erstellt BMP aus EPA"},
    {"LadeEpa_Command", "Load EPA to edit", "Lade EPA zum Bearbeiten"},
    {"LadeBmp_Command", "Load Bitmap to convert", "Lade Bitmap zum Umwandeln"},
    {"SichEpa_Command", "Save EPA", "Sichere EPA"},
    {"Ende_Command", "Close Kalvero", "Beendet Kalvero"},
    {"Info", "Read me !", "Lies mich !"},
    {"Backup", "Create EPA-Backup [filename].[continuoused number as file-extension]",
     "Erstellt EPA-Backup [Dateiname].[fortlaufende Zahl als Dateierweiterung]"},
    {"SaveCheck", "Show/hide messages to save EPAs",
     "Ein-/Ausblenden der Meldungen zum Sichern der EPAs"},
    {"InversCheck", "Revers the colors (black/white) during conversion from BMP to EPA image",
     "Vertauscht die Farben (schwarz/weiß) beim Umwandeln von BMP nach EPA"},
    {"ShowRaster", "Show/hide grid", "Raster ein-/ausblenden"},
    {"Picture2", "Visit the homepage of Kalvero: https://kalvero.example.org",
     "Besuchen Sie die Kalvero-Homepage: https://kalvero.example.org"},
};

class LanguageTest : public FormFixture {
protected:
    void expectLanguage(bool german) {
        for (const Texts& caption : Captions) {
            auto* button = form().findChild<QAbstractButton*>(QLatin1String(caption.control));
            ASSERT_NE(button, nullptr) << caption.control;
            EXPECT_EQ(button->text(), QString::fromUtf8(german ? caption.german : caption.english))
                << caption.control;
        }
        for (const Texts& tip : ToolTips) {
            auto* control = form().findChild<QWidget*>(QLatin1String(tip.control));
            ASSERT_NE(control, nullptr) << tip.control;
            EXPECT_EQ(control->toolTip(), QString::fromUtf8(german ? tip.german : tip.english))
                << tip.control;
        }
    }
};

TEST_F(LanguageTest, FlagsSwitchEveryCaptionAndToolTip) {
    expectLanguage(false); // first start: English
    ui().Deutsch->click();
    EXPECT_TRUE(ui().Deutsch->isChecked());
    EXPECT_FALSE(ui().American->isChecked());
    expectLanguage(true);
    ui().Deutsch->click(); // the selected flag again changes nothing
    expectLanguage(true);
    ui().American->click();
    EXPECT_FALSE(ui().Deutsch->isChecked());
    expectLanguage(false);
}

TEST_F(LanguageTest, AMessageRightAfterTheFlagClickSpeaksTheNewLanguage) {
    document().EpaFileName = "/l/a.epa";
    ui().Deutsch->click();
    dialogs.answers.push_back(AnswerNo);
    dialogs.files.push_back(ScriptedDialogs::FileAnswer::Cancel());
    form().LadeEpa_Command_Click();
    EXPECT_EQ(dialogs.messages.at(0).text, "Wollen Sie /l/a.epa vorher speichern ?");

    ui().American->click();
    document().EpaFileName = "/l/b.epa";
    dialogs.answers.push_back(AnswerNo);
    dialogs.files.push_back(ScriptedDialogs::FileAnswer::Cancel());
    form().LadeEpa_Command_Click();
    EXPECT_EQ(dialogs.messages.at(1).text, "Save Changes to /l/b.epa ?");
    EXPECT_EQ(dialogs.fileDialogs.at(1).request.filter, "(*.epa)|*.epa|all Files (*.*)|*.*|");
}

} // namespace
} // namespace kalvero::test
