#include "canvas/LogoCanvas.h"
#include "shell/PicturePreview.h"
#include "shell/SizingLabel.h"
#include "shell/support/FormFixture.h"

#include <QCheckBox>
#include <QPushButton>
#include <QToolButton>
#include <filesystem>

namespace kalvero::test {
namespace {

class LoadEpaTest : public FormFixture {
protected:
    void load(const QString& chosen) {
        dialogs.files.push_back(chosen);
        form().LadeEpa_Command_Click();
    }
    void loadCancelled() {
        dialogs.files.push_back(ScriptedDialogs::FileAnswer::Cancel());
        form().LadeEpa_Command_Click();
    }
    bool saveEnabled() const { return ui().SichEpa_Command->isEnabled(); }
    bool exportEnabled() const { return ui().EpaToBmp->isEnabled(); }
};

TEST_F(LoadEpaTest, OpensBothSizesAndShowsThem) {
    for (const bool tall : {true, false}) {
        const QString logo = writeLogo(tall ? "tall.epa" : "short.epa", tall, 12, 0xFF);
        document().EpaFileName.clear();
        load(logo);
        EXPECT_EQ(document().EpaFileName, logo.toStdString());
        EXPECT_EQ(document().TallLogo, tall);
        EXPECT_FALSE(document().EpaFromBmp);
        EXPECT_EQ(ui().EpaNameAnzeige->text(), tall ? "tall.epa" : "short.epa");
        EXPECT_TRUE(saveEnabled());
        EXPECT_TRUE(exportEnabled());
        EXPECT_EQ(canvasPixel(1, 1), 0xFF0000U); // the file was read into the logo
        EXPECT_EQ(document().CellAttribute(0, 0), 12);
    }
    const auto& request = dialogs.fileDialogs.front();
    EXPECT_EQ(request.kind, ScriptedDialogs::FileKind::Open);
    EXPECT_EQ(request.request.filter, "(*.epa)|*.epa|all Files (*.*)|*.*|");
    EXPECT_EQ(request.request.filterIndex, 1);
    EXPECT_EQ(request.request.initialName, "*.epa");
}

TEST_F(LoadEpaTest, GermanDialogFilter) {
    ui().Deutsch->click();
    loadCancelled();
    EXPECT_EQ(dialogs.fileDialogs.back().request.filter, "(*.epa)|*.epa|Alle Dateien (*.*)|*.*|");
}

TEST_F(LoadEpaTest, SaveFirstQuestionForAFileLogo) {
    const QString first = writeLogo("first.epa", true, 1, 0xFF);
    const QString second = writeLogo("second.epa", true, 2, 0xFF);
    load(first);

    dialogs.answers.push_back(AnswerNo);
    load(second);
    ASSERT_EQ(dialogs.messages.size(), 1U);
    const MessageRequest& question = dialogs.messages[0];
    EXPECT_EQ(question.icon, MessageIcon::Question);
    EXPECT_EQ(question.buttons, MessageButtons::YesNo);
    EXPECT_EQ(question.title, "Kalvero");
    EXPECT_EQ(question.text, "Save Changes to " + first + " ?");
    EXPECT_EQ(document().EpaFileName, second.toStdString());
    EXPECT_EQ(document().MsgAnswer, AnswerNo);

    // Yes saves (the Save As dialog, cancelled here) and does not load.
    dialogs.answers.push_back(AnswerYes);
    dialogs.files.push_back(ScriptedDialogs::FileAnswer::Cancel());
    form().LadeEpa_Command_Click();
    ASSERT_EQ(dialogs.fileDialogs.size(), 3U);
    EXPECT_EQ(dialogs.fileDialogs[2].kind, ScriptedDialogs::FileKind::Save);
    EXPECT_EQ(dialogs.fileDialogs[2].request.initialName, second);
    EXPECT_EQ(document().CellAttribute(0, 0), 2);
}

TEST_F(LoadEpaTest, WithoutMessagesNoQuestionAndNoStaleYes) {
    const QString first = writeLogo("first.epa", true, 1, 0xFF);
    const QString second = writeLogo("second.epa", true, 2, 0xFF);
    load(first);
    ui().SaveCheck->setChecked(false);
    document().MsgAnswer = AnswerYes; // from an earlier box: must not decide anything
    load(second);
    EXPECT_TRUE(dialogs.messages.empty());
    EXPECT_EQ(document().EpaFileName, second.toStdString());
    ASSERT_EQ(dialogs.fileDialogs.size(), 2U);
    EXPECT_EQ(dialogs.fileDialogs[1].kind, ScriptedDialogs::FileKind::Open);
    EXPECT_EQ(document().CellAttribute(0, 0), 2);
}

TEST_F(LoadEpaTest, NoForABitmapLogoDiscardsItEvenWhenTheDialogIsCancelled) {
    document().EpaFromBmp = true;
    document().BmpFileName = "/pics/my.logo.bmp";
    dialogs.answers.push_back(AnswerNo);
    loadCancelled();
    EXPECT_EQ(dialogs.messages.at(0).text, "Save Changes to /pics/my.epa ?");
    EXPECT_FALSE(document().EpaFromBmp);
    EXPECT_TRUE(document().EpaFileName.empty());
    EXPECT_TRUE(ui().EpaNameAnzeige->text().isEmpty());
}

TEST_F(LoadEpaTest, CancelEmptiesTheNameAndLeavesTheLogoCleared) {
    const QString logo = writeLogo("a.epa", true, 5, 0xFF);
    load(logo);
    dialogs.answers.push_back(AnswerNo);
    loadCancelled();
    EXPECT_TRUE(document().EpaFileName.empty());
    EXPECT_TRUE(ui().EpaNameAnzeige->text().isEmpty());
    EXPECT_EQ(document().CellAttribute(0, 0), 0);
    EXPECT_EQ(canvasPixel(1, 1), 0xE0E0E0U); // cleared to the background
}

TEST_F(LoadEpaTest, RefusedLengthsShowTheirNoticeInEitherLanguage) {
    struct Case {
        std::size_t length;
        bool german;
        const char* title;
        const char* text;
    };
    const Case cases[] = {
        {1000, false, "Wrong Filesize - 1000 bytes", "EPA-Filesize must be 1602 or 2367 bytes !"},
        {0, true, "Falsche Dateigroesse - 0 bytes",
         "EPA-Dateigroesse muss 1602 oder 2367 bytes sein !"},
        {5772, false, "EPA Version 2.0 !",
         "new.epa\r\nwith new EPA format version 2.0.\r\n\r\nPlease edit the corresponding "
         "bitmap file !"},
        {8628, true, "EPA Version 2.0 !",
         "Die Datei new.epa\r\nbesitz das neue EPA-Format der Version 2.0.\r\n\r\nEditieren Sie "
         "bitte stattdessen die entsprechende Bitmap-Datei !"},
    };
    for (const Case& c : cases) {
        (c.german ? ui().Deutsch : ui().American)->click();
        WriteBytes(dir.file("new.epa"), std::vector<std::uint8_t>(c.length, 1));
        document().TallLogo = false;
        dialogs.messages.clear();
        load(path("new.epa"));
        ASSERT_EQ(dialogs.messages.size(), 1U) << c.length;
        EXPECT_EQ(dialogs.messages[0].icon, MessageIcon::Information);
        EXPECT_EQ(dialogs.messages[0].title, c.title);
        EXPECT_EQ(dialogs.messages[0].text, c.text);
        EXPECT_TRUE(document().EpaFileName.empty());
        EXPECT_FALSE(document().TallLogo) << "kept as it was";
        EXPECT_FALSE(saveEnabled());
        EXPECT_TRUE(ui().EpaNameAnzeige->text().isEmpty());
        EXPECT_EQ(dir.entries(), (std::vector<std::string>{"new.epa", "settings"}))
            << "no backup of a refused file";
    }
}

TEST_F(LoadEpaTest, BackupIsMadeBeforeOpeningAndOnlyWhenWanted) {
    const QString logo = writeLogo("boot.epa", false, 3, 0x0F);
    WriteBytes(dir.file("boot.0"), {1});
    WriteBytes(dir.file("boot.2"), {1});
    load(logo);
    EXPECT_EQ(ReadBytes(dir.file("boot.1")), ReadBytes(dir.file("boot.epa")));

    ui().Backup->setChecked(false);
    dialogs.answers.push_back(AnswerNo);
    load(logo);
    EXPECT_FALSE(std::filesystem::exists(dir.file("boot.3")));
}

TEST_F(LoadEpaTest, NoBackupWhenAllHundredNamesAreTaken) {
    const QString logo = writeLogo("boot.epa", true, 3, 0x0F);
    for (int number = 0; number < 100; ++number) {
        WriteBytes(dir.file("boot." + std::to_string(number)), {7});
    }
    load(logo);
    EXPECT_EQ(document().EpaFileName, logo.toStdString());
    for (int number = 0; number < 100; ++number) {
        ASSERT_EQ(ReadBytes(dir.file("boot." + std::to_string(number))).size(), 1U);
    }
}

} // namespace
} // namespace kalvero::test
