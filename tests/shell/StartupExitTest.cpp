#include "shell/Form3.h"
#include "shell/Hinweis.h"
#include "shell/SizingLabel.h"
#include "shell/support/FormFixture.h"

#include <QCheckBox>
#include <QPushButton>
#include <QToolButton>

namespace kalvero::test {
namespace {

class StartupExitTest : public FormFixture {
protected:
    void makeUnsavedBitmapLogo(const std::string& bitmap) {
        document().BmpFileName = bitmap;
        document().EpaFromBmp = true;
        document().InitFromTemplate();
        ui().SichEpa_Command->setEnabled(true);
    }
};

TEST_F(StartupExitTest, DefaultsAtFirstStartAndOptionsKeptByExit) {
    EXPECT_EQ(registrations, 1);
    EXPECT_TRUE(ui().Backup->isChecked());
    EXPECT_TRUE(ui().American->isChecked());
    EXPECT_TRUE(ui().SaveCheck->isChecked());
    EXPECT_FALSE(ui().InversCheck->isChecked());
    const QString version =
        QStringLiteral("Version  %1.%2a").arg(KALVERO_VERSION_MAJOR).arg(KALVERO_VERSION_MINOR);
    EXPECT_EQ(ui().Label1->text(), version);
    EXPECT_EQ(form().readMe()->findChild<QLabel*>(QStringLiteral("Label4"))->text(), version);
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
    makeUnsavedBitmapLogo("/My.Pics/logo.bmp");
    dialogs.answers.push_back(AnswerNo);
    form().show();
    form().Ende_Command_Click();
    ASSERT_EQ(dialogs.messages.size(), 1U);
    EXPECT_EQ(dialogs.messages[0].text, "Save Changes to /My.epa ?");
    EXPECT_FALSE(form().isVisible());
    form().close();
    EXPECT_EQ(dialogs.messages.size(), 1U);

    // By closing the window, answered Yes: saved, and the read-me closed too.
    start();
    makeUnsavedBitmapLogo(path("pic.bmp").toStdString());
    dialogs.answers.push_back(AnswerYes);
    dialogs.files.push_back(path("pic.epa"));
    form().show();
    form().readMe()->show();
    EXPECT_TRUE(form().close());
    EXPECT_EQ(dialogs.messages.size(), 2U);
    EXPECT_EQ(ReadBytes(dir.file("pic.epa")).size(), 2367U);
    EXPECT_TRUE(form().readMe() == nullptr || !form().readMe()->isVisible());

    // Without Messages no question, and the settings are still written.
    start();
    makeUnsavedBitmapLogo("/p/a.bmp");
    ui().SaveCheck->setChecked(false);
    form().Ende_Command_Click();
    EXPECT_EQ(dialogs.messages.size(), 2U);
    start();
    EXPECT_FALSE(ui().SaveCheck->isChecked());
}

TEST_F(StartupExitTest, RegistrationFailuresAreShownAndTheStartGoesOn) {
    registrationErrors = {"Registration-Error ! [.EPA]", "Registration-Error ! [(standard)=EPA]"};
    start();
    ASSERT_EQ(dialogs.messages.size(), 2U);
    EXPECT_EQ(dialogs.messages[0].icon, MessageIcon::None);
    EXPECT_EQ(dialogs.messages[0].title, "Kalvero");
    EXPECT_EQ(dialogs.messages[1].text, "Registration-Error ! [(standard)=EPA]");
    EXPECT_TRUE(ui().American->isChecked()) << "settings still applied";
}

} // namespace
} // namespace kalvero::test
