#include "canvas/ColourButton.h"
#include "canvas/PalettePanel.h"
#include "shell/Form3.h"
#include "shell/Hinweis.h"
#include "shell/support/FormFixture.h"

#include <QAction>
#include <QApplication>
#include <QCheckBox>
#include <QKeyEvent>
#include <QPushButton>
#include <QToolButton>

namespace kalvero::test {
namespace {

class KeyboardTest : public FormFixture {
protected:
    static void press(QWidget* widget, int key) {
        QKeyEvent down(QEvent::KeyPress, key, Qt::NoModifier);
        QKeyEvent up(QEvent::KeyRelease, key, Qt::NoModifier);
        QApplication::sendEvent(widget, &down);
        QApplication::sendEvent(widget, &up);
    }
    static std::string focused() {
        QWidget* widget = QApplication::focusWidget();
        return widget != nullptr ? widget->objectName().toStdString() : "(none)";
    }
    void showActive(QWidget* window) {
        window->show();
        window->activateWindow();
        QApplication::processEvents();
    }
};

TEST_F(KeyboardTest, FocusStartsOnExitAndTabRunsTheDesignedOrder) {
    // Tab visits one palette button, the selected one; arrows move between them.
    const std::vector<std::string> atStart = {
        "LadeEpa_Command", "LadeBmp_Command", "Info",      "Deutsch",    "American",
        "Option1_0",       "Backup",          "SaveCheck", "ShowRaster", "Ende_Command"};
    const std::vector<std::string> allEnabled = {
        "LadeEpa_Command", "SichEpa_Command", "LadeBmp_Command", "CreateEpa",   "Info",
        "Deutsch",         "American",        "EpaToBmp",        "Option1_0",   "Backup",
        "InversCheck",     "SaveCheck",       "ShowRaster",      "Ende_Command"};
    showActive(&form());
    ASSERT_EQ(focused(), "Ende_Command");
    for (const std::vector<std::string>* order : {&atStart, &allEnabled}) {
        std::vector<std::string> visited;
        while (visited.size() < order->size()) {
            press(QApplication::focusWidget(), Qt::Key_Tab);
            visited.push_back(focused());
        }
        EXPECT_EQ(visited, *order);
        for (QWidget* control : std::initializer_list<QWidget*>{
                 ui().SichEpa_Command, ui().CreateEpa, ui().EpaToBmp, ui().InversCheck}) {
            control->setEnabled(true);
        }
    }
    // The American flag reached by Tab and chosen by the space bar.
    ui().American->setFocus();
    press(ui().American, Qt::Key_Space);
    EXPECT_TRUE(ui().American->isChecked());
    EXPECT_FALSE(ui().Deutsch->isChecked());
    EXPECT_EQ(ui().Ende_Command->text(), "&Exit");
}

TEST_F(KeyboardTest, ReturnOnTheOkButtonsClosesReadMeAndAbout) {
    showActive(&form());
    ui().Info->click();
    EXPECT_EQ(form().readMe()->focusWidget(), form().readMe()->okButton());
    press(form().readMe()->okButton(), Qt::Key_Return);
    EXPECT_TRUE(form().readMe() == nullptr || !form().readMe()->isVisible());
    EXPECT_TRUE(ui().Info->isEnabled());

    ui().about->trigger();
    QWidget* ok = form().aboutWindow()->findChild<QPushButton*>(QStringLiteral("Command1"));
    EXPECT_EQ(form().aboutWindow()->focusWidget(), ok);
    press(ok, Qt::Key_Enter);
    EXPECT_FALSE(form().aboutWindow()->isVisible());
}

} // namespace
} // namespace kalvero::test
