#include "document/EpaTables.h"
#include "shell/PicturePreview.h"
#include "shell/SizingLabel.h"
#include "shell/support/FormFixture.h"

#include <QCheckBox>
#include <QPushButton>
#include <filesystem>

namespace kalvero::test {
namespace {

class SaveEpaTest : public FormFixture {
protected:
    // A logo made from a bitmap, as Create EPA leaves it.
    void makeBitmapLogo(const std::string& bitmapName, bool tall) {
        document().BmpFileName = path(bitmapName).toStdString();
        document().TallLogo = tall;
        document().InitFromTemplate();
        document().EpaFromBmp = true;
        ui().SichEpa_Command->setEnabled(true);
    }
    void save(const QString& chosen) {
        dialogs.files.push_back(chosen);
        form().SichEpa_Command_Click();
    }
};

TEST_F(SaveEpaTest, NothingToSaveShowsNoDialog) {
    form().SichEpa_Command_Click();
    EXPECT_TRUE(dialogs.fileDialogs.empty());
}

TEST_F(SaveEpaTest, BitmapLogoIsProposedUnderTheBitmapNameAndWritten) {
    for (const bool tall : {true, false}) {
        makeBitmapLogo(tall ? "tall.bmp" : "short.bmp", tall);
        document().EpaFileName.clear();
        const QString target = path(tall ? "tall.epa" : "short.epa");
        save(target);
        const auto& request = dialogs.fileDialogs.back();
        EXPECT_EQ(request.kind, ScriptedDialogs::FileKind::Save);
        EXPECT_EQ(request.request.initialName, target);
        EXPECT_EQ(request.request.filter, "(*.epa)|*.epa|all Files (*.*)|*.*|");
        EXPECT_TRUE(request.request.confirmOverwrite);

        const std::vector<std::uint8_t> bytes = ReadBytes(target.toStdString());
        ASSERT_EQ(bytes.size(), tall ? 2367U : 1602U);
        EXPECT_EQ(bytes[1], tall ? 9 : 6);
        EXPECT_EQ(document().EpaFileName, target.toStdString());
        EXPECT_FALSE(document().EpaFromBmp);
        EXPECT_FALSE(ui().SichEpa_Command->isEnabled());
    }
}

TEST_F(SaveEpaTest, CancelDisablesSaveAndKeepsTheLogo) {
    makeBitmapLogo("pic.bmp", true);
    ui().EpaNameAnzeige->showText("old.epa");
    dialogs.files.push_back(ScriptedDialogs::FileAnswer::Cancel());
    form().SichEpa_Command_Click();
    EXPECT_TRUE(document().EpaFileName.empty());
    EXPECT_TRUE(ui().EpaNameAnzeige->text().isEmpty());
    EXPECT_FALSE(ui().SichEpa_Command->isEnabled());
    EXPECT_TRUE(document().EpaFromBmp);
    EXPECT_EQ(document().EpaData(3), 15);
}

TEST_F(SaveEpaTest, WildcardNameIsNoChoice) {
    makeBitmapLogo("pic.bmp", true);
    save(QStringLiteral("*.epa"));
    EXPECT_TRUE(document().EpaFileName.empty());
    EXPECT_EQ(dir.entries(), std::vector<std::string>{"settings"});
}

TEST_F(SaveEpaTest, FailedWriteReportsResetsAndLeavesNoFile) {
    makeBitmapLogo("pic.bmp", true);
    ui().CreateEpa->setEnabled(true);
    ui().BmpNameAnzeige->showText("pic.bmp");
    save(path("missing-folder/out.epa"));
    ASSERT_EQ(dialogs.messages.size(), 1U);
    EXPECT_EQ(dialogs.messages[0].title, "Not saved");
    EXPECT_TRUE(document().EpaFileName.empty());
    EXPECT_FALSE(document().EpaFromBmp);
    EXPECT_FALSE(ui().SichEpa_Command->isEnabled());
    EXPECT_FALSE(ui().CreateEpa->isEnabled());
    EXPECT_TRUE(ui().BmpNameAnzeige->text().isEmpty());
    EXPECT_FALSE(ui().ShowBmp_image->hasPicture());
    EXPECT_EQ(dir.entries(), std::vector<std::string>{"settings"});
}

TEST_F(SaveEpaTest, SavedLogoBecomesTheFileLogoOfTheNextRedraw) {
    makeBitmapLogo("pic.bmp", true);
    document().SetCellAttribute(0, 0, 4);
    save(path("pic.epa"));
    document().SetCellAttribute(0, 0, 9); // painted after saving
    ui().ShowRaster->click();
    EXPECT_EQ(document().CellAttribute(0, 0), 4);
}

} // namespace
} // namespace kalvero::test
