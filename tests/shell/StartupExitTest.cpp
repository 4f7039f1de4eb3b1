#include "shell/Form3.h"
#include "shell/Hinweis.h"
#include "shell/SizingLabel.h"
#include "shell/platform/SettingsStore.h"
#include "shell/support/FormFixture.h"

#include <QApplication>
#include <QCheckBox>
#include <QCloseEvent>
#include <QPushButton>
#include <QToolButton>

namespace kalvero::test {
namespace {

class StartupExitTest : public FormFixture {
protected:
    std::optional<std::string> stored(const char* name) {
        const auto key =
            settings->openKey(RegistryRoot::CurrentUser, SettingsKey, RegistryAccess::QueryValue);
        if (!key) {
            return std::nullopt;
        }
        std::optional<std::string> value = settings->queryValue(*key, name);
        settings->closeKey(*key);
        return value;
    }
    void store(const char* name, const char* value) {
        const auto key = settings->createKey(RegistryRoot::CurrentUser, SettingsKey);
        ASSERT_TRUE(key.has_value());
        settings->setValue(*key, name, value);
        settings->closeKey(*key);
    }
    // An unsaved logo made from C:\Pics-like path, so exit has something to ask about.
    void makeUnsavedBitmapLogo(const std::string& bitmap) {
        document().BmpFileName = bitmap;
        document().EpaFromBmp = true;
        ui().SichEpa_Command->setEnabled(true);
    }
};

TEST_F(StartupExitTest, FirstStartWritesTheDefaultsAndAppliesThem) {
    EXPECT_EQ(registrations, 1);
    EXPECT_TRUE(ui().Backup->isChecked());
    EXPECT_TRUE(ui().American->isChecked());
    EXPECT_TRUE(ui().SaveCheck->isChecked());
    EXPECT_FALSE(ui().InversCheck->isChecked());
    const std::pair<const char*, const char*> defaults[] = {
        {"sichern", "1"}, {"sprache", "0"}, {"meldung", "1"}, {"negativ", "0"}};
    for (const auto& [name, value] : defaults) {
        EXPECT_EQ(stored(name), value) << name;
    }
    EXPECT_TRUE(document().TallLogo);
    EXPECT_TRUE(document().Epa2Tall);
    EXPECT_FALSE(document().EpaFromBmp);
    EXPECT_FALSE(document().Epa2Pending);
    EXPECT_FALSE(form().editor().GridHidden);
}

TEST_F(StartupExitTest, VersionTextOnAllThreeWindows) {
    const QString expected =
        QStringLiteral("Version  %1.%2a")
            .arg(QString::number(KALVERO_VERSION_MAJOR), QString::number(KALVERO_VERSION_MINOR));
    EXPECT_EQ(ui().Label1->text(), expected);
    EXPECT_EQ(form().readMe()->findChild<QLabel*>(QStringLiteral("Label4"))->text(), expected);
    EXPECT_EQ(form().aboutWindow()->findChild<QLabel*>(QStringLiteral("Label2"))->text(), expected);
    EXPECT_FALSE(form().readMe()->isVisible());
    EXPECT_FALSE(form().aboutWindow()->isVisible());
}

TEST_F(StartupExitTest, StoredValuesFollowTheNumberRules) {
    struct Case {
        const char* sichern;
        const char* sprache;
        const char* meldung;
        const char* negativ;
        bool backup;
        bool german;
        bool messages;
        bool negative;
    };
    const Case cases[] = {
        {"0", "1", "1", "1", false, true, true, true},
        {"2", "2", "2", "2", true, false, false, false}, // 2 leaves Backup as designed
    };
    for (const Case& c : cases) {
        store("sichern", c.sichern);
        store("sprache", c.sprache);
        store("meldung", c.meldung);
        store("negativ", c.negativ);
        start();
        SCOPED_TRACE(std::string(c.sichern) + c.sprache + c.meldung + c.negativ);
        EXPECT_EQ(ui().Backup->isChecked(), c.backup);
        EXPECT_EQ(ui().Deutsch->isChecked(), c.german);
        EXPECT_EQ(ui().SaveCheck->isChecked(), c.messages);
        EXPECT_EQ(ui().InversCheck->isChecked(), c.negative);
        EXPECT_EQ(ui().Ende_Command->text(), c.german ? "&Ende" : "&Exit");
    }
}

TEST_F(StartupExitTest, ExitWritesTheSettingsAndTheNextStartUsesThem) {
    ui().Deutsch->click();
    ui().Backup->setChecked(false);
    ui().InversCheck->setChecked(true);
    form().Ende_Command_Click();
    EXPECT_EQ(stored("sichern"), "0");
    EXPECT_EQ(stored("sprache"), "1");
    EXPECT_EQ(stored("meldung"), "1");
    EXPECT_EQ(stored("negativ"), "1");
    EXPECT_FALSE(form().isVisible());

    start();
    EXPECT_TRUE(ui().Deutsch->isChecked());
    EXPECT_EQ(ui().LadeEpa_Command->text(), "EPA &Laden");
    EXPECT_FALSE(ui().Backup->isChecked());
}

TEST_F(StartupExitTest, ExitAsksOnceAboutAnUnsavedLogoUnderItsDefaultName) {
    makeUnsavedBitmapLogo("/My.Pics/logo.bmp");
    dialogs.answers.push_back(AnswerNo);
    form().show();
    form().Ende_Command_Click();
    ASSERT_EQ(dialogs.messages.size(), 1U);
    EXPECT_EQ(dialogs.messages[0].text, "Save Changes to /My.epa ?");
    EXPECT_FALSE(form().isVisible());
    form().close(); // closing again runs nothing more
    EXPECT_EQ(dialogs.messages.size(), 1U);
}

TEST_F(StartupExitTest, ClosingTheWindowRunsTheExitRoutineOnceAndYesSaves) {
    makeUnsavedBitmapLogo(path("pic.bmp").toStdString());
    document().InitFromTemplate();
    dialogs.answers.push_back(AnswerYes);
    dialogs.files.push_back(path("pic.epa"));
    form().show();
    form().readMe()->show();
    EXPECT_TRUE(form().close());
    EXPECT_EQ(dialogs.messages.size(), 1U);
    EXPECT_EQ(ReadBytes(dir.file("pic.epa")).size(), 2367U);
    EXPECT_TRUE(form().readMe() == nullptr || !form().readMe()->isVisible());
}

TEST_F(StartupExitTest, NoQuestionWithoutMessagesOrWithoutSomethingToSave) {
    for (const bool messages : {false, true}) {
        start();
        ui().SaveCheck->setChecked(messages);
        if (!messages) {
            makeUnsavedBitmapLogo("/p/a.bmp");
        }
        form().Ende_Command_Click();
        EXPECT_TRUE(dialogs.messages.empty());
        EXPECT_EQ(stored("meldung"), messages ? "1" : "0");
    }
}

TEST_F(StartupExitTest, RegistrationFailuresAreShownAndTheStartGoesOn) {
    registrationErrors = {"Registration-Error ! [.EPA]", "Registration-Error ! [(standard)=EPA]"};
    start();
    ASSERT_EQ(dialogs.messages.size(), 2U);
    EXPECT_EQ(dialogs.messages[0].icon, MessageIcon::None);
    EXPECT_EQ(dialogs.messages[0].buttons, MessageButtons::Ok);
    EXPECT_EQ(dialogs.messages[0].title, "Kalvero");
    EXPECT_EQ(dialogs.messages[1].text, "Registration-Error ! [(standard)=EPA]");
    EXPECT_TRUE(ui().American->isChecked()) << "settings still applied";
}

} // namespace
} // namespace kalvero::test
