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
    void load(const ScriptedDialogs::FileAnswer& chosen) {
        dialogs.files.push_back(chosen);
        form().LadeEpa_Command_Click();
    }
};

TEST_F(LoadEpaTest, OpensBothSizesAndShowsThem) {
    for (const bool tall : {true, false}) {
        const QString logo = writeLogo(tall ? "tall.epa" : "short.epa", tall, 12, 0xFF);
        document().EpaFileName.clear();
        load(logo);
        EXPECT_EQ(document().EpaFileName, logo.toStdString());
        EXPECT_EQ(document().TallLogo, tall);
        EXPECT_EQ(ui().EpaNameAnzeige->text(), tall ? "tall.epa" : "short.epa");
        EXPECT_TRUE(ui().SichEpa_Command->isEnabled());
        EXPECT_TRUE(ui().EpaToBmp->isEnabled());
        EXPECT_EQ(canvasPixel(1, 1), 0xFF0000U); // read from the file
    }
    const FileDialogRequest& request = dialogs.fileDialogs.front().request;
    EXPECT_EQ(request.filter, "(*.epa)|*.epa|all Files (*.*)|*.*|");
    EXPECT_EQ(request.initialName, "*.epa");
    ui().Deutsch->click();
    dialogs.answers.push_back(AnswerNo);
    load(ScriptedDialogs::FileAnswer::Cancel());
    EXPECT_EQ(dialogs.fileDialogs.back().request.filter, "(*.epa)|*.epa|Alle Dateien (*.*)|*.*|");
}

TEST_F(LoadEpaTest, SaveFirstQuestionAndItsAnswers) {
    const QString first = writeLogo("first.epa", true, 1, 0xFF);
    const QString second = writeLogo("second.epa", true, 2, 0xFF);
    load(first);
    dialogs.answers.push_back(AnswerNo);
    load(second);
    ASSERT_EQ(dialogs.messages.size(), 1U);
    EXPECT_EQ(dialogs.messages[0].icon, MessageIcon::Question);
    EXPECT_EQ(dialogs.messages[0].title, "Kalvero");
    EXPECT_EQ(dialogs.messages[0].text, "Save Changes to " + first + " ?");
    EXPECT_EQ(document().CellAttribute(0, 0), 2);

    // Yes saves (its dialog cancelled here) and does not load.
    dialogs.answers.push_back(AnswerYes);
    load(ScriptedDialogs::FileAnswer::Cancel());
    EXPECT_EQ(dialogs.fileDialogs.back().kind, ScriptedDialogs::FileKind::Save);
    EXPECT_EQ(dialogs.fileDialogs.back().request.initialName, second);

    // Without Messages no question, and a Yes from an earlier box decides nothing.
    load(second);
    ui().SaveCheck->setChecked(false);
    document().MsgAnswer = AnswerYes;
    load(first);
    EXPECT_EQ(dialogs.messages.size(), 2U);
    EXPECT_EQ(dialogs.fileDialogs.back().kind, ScriptedDialogs::FileKind::Open);
    EXPECT_EQ(document().CellAttribute(0, 0), 1);
}

TEST_F(LoadEpaTest, NoForABitmapLogoDiscardsItEvenWhenTheDialogIsCancelled) {
    document().EpaFromBmp = true;
    document().BmpFileName = "/pics/my.logo.bmp";
    document().SetCellAttribute(0, 0, 5);
    dialogs.answers.push_back(AnswerNo);
    load(ScriptedDialogs::FileAnswer::Cancel());
    EXPECT_EQ(dialogs.messages.at(0).text, "Save Changes to /pics/my.epa ?");
    EXPECT_FALSE(document().EpaFromBmp);
    EXPECT_TRUE(document().EpaFileName.empty());
    EXPECT_EQ(document().CellAttribute(0, 0), 0); // cleared
    EXPECT_EQ(canvasPixel(1, 1), 0xE0E0E0U);
}

TEST_F(LoadEpaTest, RefusedLengthsShowTheirNoticeAndMakeNoBackup) {
    // length, German, title, text
    const std::tuple<std::size_t, bool, const char*, const char*> cases[] = {
        {1000, false, "Wrong Filesize - 1000 bytes", "EPA-Filesize must be 1602 or 2367 bytes !"},
        {8628, true, "EPA Version 2.0 !",
         "Die Datei new.epa\r\nbesitz das neue EPA-Format der Version 2.0.\r\n\r\nEditieren Sie "
         "bitte stattdessen die entsprechende Bitmap-Datei !"},
    };
    for (const auto& [length, german, title, text] : cases) {
        (german ? ui().Deutsch : ui().American)->click();
        WriteBytes(dir.file("new.epa"), std::vector<std::uint8_t>(length, 1));
        document().TallLogo = false;
        dialogs.messages.clear();
        load(path("new.epa"));
        ASSERT_EQ(dialogs.messages.size(), 1U);
        EXPECT_EQ(dialogs.messages[0].title, title);
        EXPECT_EQ(dialogs.messages[0].text, text);
        EXPECT_TRUE(document().EpaFileName.empty());
        EXPECT_FALSE(document().TallLogo) << "kept as it was";
        EXPECT_EQ(dir.entries(), (std::vector<std::string>{"new.epa", "settings"}));
    }
}

TEST_F(LoadEpaTest, BackupFillsTheFirstGapAndOnlyWhenWanted) {
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

} // namespace
} // namespace kalvero::test
