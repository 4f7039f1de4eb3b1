#include "shell/Artwork.h"
#include "shell/EditorArguments.h"
#include "shell/Form3.h"
#include "shell/Hinweis.h"
#include "shell/support/FormFixture.h"

#include <QAction>
#include <QApplication>
#include <QKeyEvent>
#include <QPlainTextEdit>
#include <QScreen>
#include <QTest>

namespace kalvero::test {
namespace {

class HelpWindowsTest : public FormFixture {
protected:
    static void deleteClosedWindows() {
        QCoreApplication::sendPostedEvents(nullptr, QEvent::DeferredDelete);
    }
    static void moveOver(QWidget* widget, QPointF at) {
        QMouseEvent move(QEvent::MouseMove, at, widget->mapToGlobal(at), Qt::NoButton, Qt::NoButton,
                         Qt::NoModifier);
        QApplication::sendEvent(widget, &move);
    }
};

TEST_F(HelpWindowsTest, InfoIsDisabledExactlyWhileTheReadMeIsShown) {
    // What Kalvero does today comes first, in the chosen language first.
    ui().Deutsch->click();
    ui().Info->click();
    const QString text = form().readMe()->findChild<QPlainTextEdit*>()->toPlainText();
    EXPECT_TRUE(text.startsWith("WAS KALVERO HEUTE KANN\n"));
    EXPECT_GT(text.indexOf("\nWHAT KALVERO DOES TODAY\n"), 0);
    EXPECT_TRUE(text.endsWith(ResourceText("readme.txt")));
    form().readMe()->close();
    for (const bool byOkButton : {true, false, true}) {
        ui().Info->click();
        ASSERT_NE(form().readMe(), nullptr);
        EXPECT_TRUE(form().readMe()->isVisible());
        EXPECT_FALSE(ui().Info->isEnabled());
        if (byOkButton) {
            form().readMe()->okButton()->click();
        } else {
            form().readMe()->close(); // the close box
        }
        EXPECT_TRUE(ui().Info->isEnabled());
        deleteClosedWindows();
        EXPECT_EQ(form().readMe(), nullptr) << "removed, and built anew next time";
    }
}

TEST_F(HelpWindowsTest, ButtonsTakeTheFocusUnderTheMouseAndEnterPressesThem) {
    form().show();
    for (QPushButton* button : {ui().LadeEpa_Command, ui().Info, ui().Ende_Command}) {
        moveOver(button, {5, 5});
        EXPECT_EQ(form().focusWidget(), button) << button->objectName().toStdString();
    }

    QKeyEvent enter(QEvent::KeyPress, Qt::Key_Return, Qt::NoModifier);
    QApplication::sendEvent(ui().Ende_Command, &enter);
    EXPECT_FALSE(form().isVisible()) << "Enter on Exit ran the exit routine";
}

using KeyboardTest = FormFixture;

TEST_F(KeyboardTest, FocusStartsOnExitTabReachesFlagsAndCanvasKeysOpenAndCloseWindows) {
    form().show();
    form().activateWindow();
    QApplication::processEvents();
    EXPECT_TRUE(form().screen()->availableGeometry().contains(form().frameGeometry()));
    std::vector<QString> visited = {QApplication::focusWidget()->objectName()};
    while (visited.size() < 12) {
        QTest::keyClick(QApplication::focusWidget(), Qt::Key_Tab);
        visited.push_back(QApplication::focusWidget()->objectName());
    }
    // Disabled controls are passed over; Tab visits only the selected palette button.
    EXPECT_EQ(visited,
              (std::vector<QString>{"Ende_Command", "LadeEpa_Command", "LadeBmp_Command", "Info",
                                    "Deutsch", "American", "Option1_0", "Backup", "SaveCheck",
                                    "ShowRaster", "Picture1", "Ende_Command"}));
    QTest::keyClick(ui().American, Qt::Key_Space);
    EXPECT_TRUE(ui().American->isChecked() && !ui().Deutsch->isChecked());

    // F1 opens the read-me, Escape closes it and the about window; Return
    // presses their OK buttons.
    QTest::keyClick(&form(), Qt::Key_F1);
    EXPECT_EQ(form().readMe()->focusWidget(), form().readMe()->okButton());
    QTest::keyClick(form().readMe()->okButton(), Qt::Key_Escape);
    EXPECT_TRUE(ui().Info->isEnabled()) << "the read-me window was closed";
    ui().about->trigger();
    QTest::keyClick(form().aboutWindow()->focusWidget(), Qt::Key_Enter);
    EXPECT_FALSE(form().aboutWindow()->isVisible());
    // Ctrl+O is Load EPA, Ctrl+S Save EPA while it is enabled, Ctrl+Q Exit.
    form().activateWindow();
    dialogs.files.push_back(std::nullopt);
    QTest::keyClick(&form(), Qt::Key_O, Qt::ControlModifier);
    QTest::keyClick(&form(), Qt::Key_S, Qt::ControlModifier);
    ASSERT_EQ(dialogs.fileDialogs.size(), 1U);
    EXPECT_TRUE(
        dialogs.fileDialogs[0].filter.starts_with("EPA files and BIOS images")); // Load EPA's
    QTest::keyClick(&form(), Qt::Key_Q, Qt::ControlModifier);
    EXPECT_FALSE(form().isVisible());
}

TEST(EditorArguments, HelpAndVersionAloneAnswerOnTheTerminalADoubleDashEndsOptions) {
    EXPECT_TRUE(TerminalAnswer({"--help"}, "1.0.3")->starts_with("Usage: kalvero [FILE]\n"));
    EXPECT_EQ(TerminalAnswer({"--version"}, "1.0.3"), "kalvero 1.0.3\n");
    EXPECT_FALSE(TerminalAnswer({"--help", "x"}, "1.0.3") || TerminalAnswer({"--", "--help"}, ""));
    EXPECT_EQ(CommandLineOf({"--", "--help"}), "--help");
    EXPECT_EQ(CommandLineOf({"--", "my", "--"}), "my --");
    EXPECT_EQ(CommandLineOf({"-logo.epa"}), "-logo.epa") << "a file, not an option";
}

using StartupExitTest = FormFixture;

TEST_F(StartupExitTest, RegistrationFailuresShownVersionsAndOptionsKeptByExit) {
    // Failures of the file-type registration are shown and the start goes on.
    registrationErrors = {"Registration-Error ! [.EPA]", "Registration-Error ! [(standard)=EPA]"};
    start();
    EXPECT_EQ(registrations, 2);
    ASSERT_EQ(dialogs.messages.size(), 2U);
    EXPECT_EQ(dialogs.messages[0].icon, MessageIcon::None);
    EXPECT_EQ(dialogs.messages[0].title, "Kalvero");
    EXPECT_EQ(dialogs.messages[1].text, "Registration-Error ! [(standard)=EPA]");
    EXPECT_TRUE(ui().American->isChecked()) << "the settings applied";
    const QString version =
        QStringLiteral("Version  %1.%2a").arg(KALVERO_VERSION_MAJOR).arg(KALVERO_VERSION_MINOR);
    EXPECT_EQ(ui().Label1->text(), version);
    ui().about->trigger();
    EXPECT_EQ(form().aboutWindow()->findChild<QLabel*>(QStringLiteral("Label2"))->text(), version);

    ui().Deutsch->click();
    ui().Backup->setChecked(false);
    ui().InversCheck->setChecked(true);
    form().Ende_Command_Click();
    start(); // the options come back from the settings file
    EXPECT_TRUE(ui().Deutsch->isChecked());
    EXPECT_EQ(ui().LadeEpa_Command->text(), "EPA &Laden");
    EXPECT_FALSE(ui().Backup->isChecked());
    EXPECT_TRUE(ui().InversCheck->isChecked());
}

TEST_F(StartupExitTest, ExitRoutineRunsOnceWhicheverWayTheWindowCloses) {
    // By the Exit button, answered No: one question, under the default name.
    MakeBitmapLogo(form().session(), "/My.Pics/logo.bmp");
    dialogs.answers.push_back(AnswerNo);
    form().show();
    form().Ende_Command_Click();
    ASSERT_EQ(dialogs.messages.size(), 1U);
    EXPECT_FALSE(form().isVisible());
    form().close();
    EXPECT_EQ(dialogs.messages.size(), 1U);

    // Cancel, or Yes and a cancelled save: the program goes on. Then by
    // closing the window, answered Yes: saved, and the read-me closed too.
    start();
    MakeBitmapLogo(form().session(), path("pic.bmp"));
    dialogs.answers = {AnswerCancel, AnswerYes, AnswerYes};
    dialogs.files = {std::nullopt, path("pic.epa")};
    form().show();
    ui().Info->click();
    EXPECT_FALSE(form().close());
    form().Ende_Command_Click();
    EXPECT_TRUE(form().isVisible());
    EXPECT_EQ(dialogs.messages.back().buttons, MessageButtons::YesNoCancel);
    EXPECT_TRUE(form().close());
    EXPECT_EQ(dialogs.messages.size(), 4U);
    EXPECT_EQ(ReadBytes(dir.file("pic.epa")).size(), 2367U);
    EXPECT_TRUE(form().readMe() == nullptr || !form().readMe()->isVisible());
}

} // namespace
} // namespace kalvero::test
