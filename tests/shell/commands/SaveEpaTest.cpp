#include "shell/PicturePreview.h"
#include "shell/SizingLabel.h"
#include "shell/support/FormFixture.h"

#include <QCheckBox>
#include <QPushButton>

namespace kalvero::test {
namespace {

class SaveEpaTest : public FormFixture {
protected:
    // A logo made from a bitmap, as Create EPA leaves it.
    void makeBitmapLogo(bool tall) {
        document().BmpFileName = path("pic.bmp").toStdString();
        document().TallLogo = tall;
        document().InitFromTemplate();
        document().EpaFromBmp = true;
        ui().SichEpa_Command->setEnabled(true);
    }
    void save(const ScriptedDialogs::FileAnswer& chosen) {
        dialogs.files.push_back(chosen);
        form().SichEpa_Command_Click();
    }
};

TEST_F(SaveEpaTest, BitmapLogoIsProposedUnderTheBitmapNameAndBecomesTheFileLogo) {
    form().SichEpa_Command_Click(); // nothing to save: no dialog
    EXPECT_TRUE(dialogs.fileDialogs.empty());
    for (const bool tall : {false, true}) {
        makeBitmapLogo(tall);
        document().EpaFileName.clear();
        document().SetCellAttribute(0, 0, 4);
        save(path("pic.epa"));
        const FileDialogRequest& request = dialogs.fileDialogs.back().request;
        EXPECT_EQ(request.initialName, path("pic.epa"));
        EXPECT_EQ(request.filter, "(*.epa)|*.epa|all Files (*.*)|*.*|");
        EXPECT_TRUE(request.confirmOverwrite);
        EXPECT_EQ(ReadBytes(dir.file("pic.epa")).size(), tall ? 2367U : 1602U);
        EXPECT_EQ(document().EpaFileName, path("pic.epa").toStdString());
        EXPECT_FALSE(document().EpaFromBmp);
        EXPECT_FALSE(ui().SichEpa_Command->isEnabled());
    }
    document().SetCellAttribute(0, 0, 9); // painted after saving: the next redraw reloads
    ui().ShowRaster->click();
    EXPECT_EQ(document().CellAttribute(0, 0), 4);
}

TEST_F(SaveEpaTest, CancelAndNoChoice) {
    makeBitmapLogo(true);
    ui().EpaNameAnzeige->showText("old.epa");
    save(ScriptedDialogs::FileAnswer::Cancel());
    EXPECT_TRUE(document().EpaFileName.empty());
    EXPECT_TRUE(ui().EpaNameAnzeige->text().isEmpty());
    EXPECT_FALSE(ui().SichEpa_Command->isEnabled());
    EXPECT_TRUE(document().EpaFromBmp);
    save(QStringLiteral("*.epa"));
    EXPECT_TRUE(document().EpaFileName.empty());
    EXPECT_EQ(dir.entries(), std::vector<std::string>{"settings"});
}

TEST_F(SaveEpaTest, FailedWriteReportsResetsAndLeavesNoFile) {
    makeBitmapLogo(true);
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

} // namespace
} // namespace kalvero::test
