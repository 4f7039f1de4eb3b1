#include "shell/QtDialogs.h"
#include "shell/support/FormFixture.h"

#include <QApplication>
#include <QDialog>
#include <QDialogButtonBox>
#include <QPushButton>
#include <QTimer>
#include <QToolButton>

namespace kalvero::test {
namespace {

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
