#include "shell/QtDialogs.h"
#include "shell/support/FormFixture.h"

#include <QAbstractButton>
#include <QApplication>
#include <QDialog>
#include <QDialogButtonBox>
#include <QLabel>
#include <QPushButton>
#include <QTimer>
#include <QToolButton>

namespace kalvero::test {
namespace {

using Texts = std::vector<std::string>;

// Qt's own dialogs, as the program shows them, after a click on a flag.
class QtLanguageTest : public FormFixture {
protected:
    void restart() {
        start();
        form().show();
        qtDialogs.setParentWindow(&form());
    }
    void SetUp() override {
        FormFixture::SetUp();
        restart();
    }
    // The captions of the buttons and of the labels of the fields of the
    // dialog `show` opens, which is then closed.
    static Texts textsOf(const std::function<void()>& show) {
        Texts texts;
        QTimer::singleShot(0, [&texts] {
            auto* dialog = qobject_cast<QDialog*>(QApplication::activeModalWidget());
            ASSERT_NE(dialog, nullptr);
            for (QAbstractButton* button : dialog->findChildren<QAbstractButton*>()) {
                if (qobject_cast<QDialogButtonBox*>(button->parentWidget()) != nullptr) {
                    texts.push_back(button->text().toStdString());
                }
            }
            for (QLabel* label : dialog->findChildren<QLabel*>()) {
                if (label->text().endsWith(':')) {
                    texts.push_back(label->text().toStdString());
                }
            }
            dialog->reject();
        });
        show();
        return texts;
    }
    Texts question() {
        return textsOf([this] {
            qtDialogs.message({MessageIcon::Question, MessageButtons::YesNo, "Kalvero", "?"});
        });
    }
    Texts openDialog() {
        return textsOf([this] { qtDialogs.openFile({"(*.epa)|*.epa|", 1, "*.epa", false}); });
    }
    QtDialogs qtDialogs;
};

TEST_F(QtLanguageTest, QtsButtonsAndFileDialogsFollowTheFlags) {
    for (const bool german : {true, false, true}) {
        (german ? ui().Deutsch : ui().American)->click();
        EXPECT_EQ(question(), german ? (Texts{"&Ja", "&Nein"}) : (Texts{"&Yes", "&No"}));
        EXPECT_EQ(openDialog(),
                  german ? (Texts{"&Öffnen", "Abbrechen",
                                  "Suchen in:", "Datei&name:", "Dateien des Typs:"})
                         : (Texts{"&Open", "Cancel", "Look in:", "File &name:", "Files of type:"}));
    }
    const Texts save = textsOf([this] { qtDialogs.saveFile({"(*.epa)|*.epa|", 1, "", true}); });
    EXPECT_EQ(save.front(), "S&peichern");
}

TEST_F(QtLanguageTest, WithoutQtsTranslationsTheWindowStillSpeaksGerman) {
    qtTranslations = {path("no-translations")};
    restart();
    ui().Deutsch->click();
    EXPECT_EQ(ui().LadeEpa_Command->text(), "EPA &Laden");
    EXPECT_EQ(question(), (Texts{"&Yes", "&No"}));
}

} // namespace
} // namespace kalvero::test
