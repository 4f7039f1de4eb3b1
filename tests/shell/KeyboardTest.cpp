#include "shell/Form3.h"
#include "shell/Hinweis.h"
#include "shell/support/FormFixture.h"

#include <QAction>
#include <QApplication>
#include <QPushButton>
#include <QTest>
#include <QToolButton>

namespace kalvero::test {
namespace {

using KeyboardTest = FormFixture;

TEST_F(KeyboardTest, FocusStartsOnExitTabReachesBothFlagsReturnClosesTheOkWindows) {
    form().show();
    form().activateWindow();
    QApplication::processEvents();
    std::vector<QString> visited = {QApplication::focusWidget()->objectName()};
    while (visited.size() < 11) {
        QTest::keyClick(QApplication::focusWidget(), Qt::Key_Tab);
        visited.push_back(QApplication::focusWidget()->objectName());
    }
    // Disabled controls are passed over; Tab visits only the selected palette button.
    EXPECT_EQ(visited, (std::vector<QString>{"Ende_Command", "LadeEpa_Command", "LadeBmp_Command",
                                             "Info", "Deutsch", "American", "Option1_0", "Backup",
                                             "SaveCheck", "ShowRaster", "Ende_Command"}));
    QTest::keyClick(ui().American, Qt::Key_Space);
    EXPECT_TRUE(ui().American->isChecked() && !ui().Deutsch->isChecked());

    ui().Info->click();
    EXPECT_EQ(form().readMe()->focusWidget(), form().readMe()->okButton());
    QTest::keyClick(form().readMe()->okButton(), Qt::Key_Return);
    EXPECT_TRUE(ui().Info->isEnabled()) << "the read-me window was closed";
    ui().about->trigger();
    QWidget* aboutOk = form().aboutWindow()->focusWidget();
    EXPECT_EQ(aboutOk->objectName(), "Command1");
    QTest::keyClick(aboutOk, Qt::Key_Enter);
    EXPECT_FALSE(form().aboutWindow()->isVisible());
}

} // namespace
} // namespace kalvero::test
