#include "canvas/ColourButton.h"
#include "canvas/PalettePanel.h"
#include "document/LanguageTexts.h"
#include "shell/PicturePreview.h"
#include "shell/SizingLabel.h"
#include "shell/support/FormFixture.h"

#include <QCheckBox>
#include <QPushButton>

namespace kalvero::test {
namespace {

class BitmapCommandsTest : public FormFixture {
protected:
    void loadBitmap(const std::optional<QString>& chosen) {
        dialogs.files.push_back(chosen);
        form().LadeBmp_Command_Click();
    }
    void create() { form().CreateEpa_Click(); }
    std::vector<std::uint8_t> glyphs() {
        return {&document().EpaData(156), &document().EpaData(2297) + 1};
    }
};

TEST_F(BitmapCommandsTest, TheFourAcceptedBitmapsLoadAndAFifthSizeIsRefused) {
    // name, 16 colours, 126 rows
    const std::tuple<const char*, bool, bool> cases[] = {{"m84.bmp", false, false},
                                                         {"m126.bmp", false, true},
                                                         {"c84.bmp", true, false},
                                                         {"c126.bmp", true, true}};
    for (const auto& [name, colour, tall] : cases) {
        ui().InversCheck->setEnabled(false); // a 16-colour load leaves it as it is
        loadBitmap(colour ? writeColourBitmap(name, tall, 3) : writeMonoBitmap(name, tall));
        SCOPED_TRACE(name);
        EXPECT_EQ(ui().BmpNameAnzeige->text(), name);
        EXPECT_EQ(ui().BmpNameAnzeige->y(), ui().ShowBmp_image->geometry().bottom() + 2);
        EXPECT_EQ(ui().ShowBmp_image->size(), QSize(140, tall ? 130 : 88));
        EXPECT_TRUE(ui().CreateEpa->isEnabled());
        EXPECT_EQ(ui().InversCheck->isEnabled(), !colour);
        EXPECT_EQ(document().Epa2Pending, colour);
        EXPECT_TRUE(document().TallLogo) << "the logo keeps its own height until Create EPA";
        EXPECT_EQ(colour ? document().Epa2Tall : document().BmpTall, tall);
    }
    EXPECT_EQ(dialogs.fileDialogs.front().request.filter, "(*.bmp)|*.bmp|all Files (*.*)|*.*|");
    EXPECT_EQ(dialogs.fileDialogs.front().request.initialName, "*.bmp");

    WriteBytes(dir.file("odd.bmp"), std::vector<std::uint8_t>(2583, 0));
    loadBitmap(path("odd.bmp"));
    ASSERT_EQ(dialogs.messages.size(), 1U);
    EXPECT_EQ(dialogs.messages[0].title.toStdString(), "Wrong Filesize - 2583 bytes");
    EXPECT_EQ(dialogs.messages[0].text.toStdString(), BmpRefusal(Language::English, 2583).text);
    EXPECT_TRUE(ui().BmpNameAnzeige->text().isEmpty());
    EXPECT_FALSE(ui().CreateEpa->isEnabled());
    EXPECT_FALSE(ui().ShowBmp_image->hasPicture());

    loadBitmap(std::nullopt);
    EXPECT_TRUE(document().BmpFileName.empty());
    EXPECT_FALSE(ui().EpaToBmp->isEnabled());
}

TEST_F(BitmapCommandsTest, SaveQuestionOnlyWhenALogoFileIsCurrent) {
    // A bitmap logo without a file name: no question, Save EPA stays.
    loadBitmap(writeMonoBitmap("a.bmp", true));
    create();
    loadBitmap(writeMonoBitmap("b.bmp", true));
    EXPECT_TRUE(dialogs.messages.empty());
    EXPECT_TRUE(ui().SichEpa_Command->isEnabled());

    // No forgets the logo file and disables Save EPA.
    document().EpaFileName = path("old.epa").toStdString();
    dialogs.answers.push_back(AnswerNo);
    loadBitmap(writeMonoBitmap("c.bmp", true));
    EXPECT_EQ(dialogs.messages.at(0).text, "Save Changes to " + path("old.epa") + " ?");
    EXPECT_TRUE(document().EpaFileName.empty());
    EXPECT_FALSE(ui().SichEpa_Command->isEnabled());

    // Yes saves, then goes on loading.
    create();
    document().EpaFileName = path("keep.epa").toStdString();
    dialogs.answers.push_back(AnswerYes);
    dialogs.files.push_back(path("keep.epa"));
    loadBitmap(writeMonoBitmap("d.bmp", false));
    EXPECT_EQ(ReadBytes(dir.file("keep.epa")).size(), 2367U);
    EXPECT_EQ(document().BmpFileName, path("d.bmp").toStdString());
}

TEST_F(BitmapCommandsTest, CreateUsesNegativeAsItStandsAtCreateTime) {
    loadBitmap(writeMonoBitmap("a.bmp", false, 0, 0));
    ui().InversCheck->setChecked(true);
    create();
    EXPECT_TRUE(document().EpaFromBmp);
    EXPECT_FALSE(document().TallLogo);
    EXPECT_EQ(document().EpaData(105), 0x7F);
    EXPECT_EQ(canvasPixel(1, 1), 0x000000U);
    EXPECT_EQ(canvasPixel(2, 1), 0xFFFFFFU);
    EXPECT_FALSE(ui().InversCheck->isEnabled());
    EXPECT_TRUE(ui().EpaToBmp->isEnabled());
    EXPECT_TRUE(ui().SichEpa_Command->isEnabled());
    EXPECT_FALSE(ui().CreateEpa->isEnabled());
}

TEST_F(BitmapCommandsTest, ColourBitmapIsSavedAsEpa2ByCreate) {
    loadBitmap(writeColourBitmap("col.bmp", true, 5));
    dialogs.files.push_back(std::nullopt);
    create();
    EXPECT_EQ(dialogs.fileDialogs.back().request.initialName, path("col.epa"));
    EXPECT_TRUE(ui().CreateEpa->isEnabled()) << "offered again after a cancel";
    dialogs.files.push_back(path("col.epa"));
    create();
    const std::vector<std::uint8_t> bytes = ReadBytes(dir.file("col.epa"));
    ASSERT_EQ(bytes.size(), 8628U);
    EXPECT_EQ(bytes[8], 0xFF);      // index 5: plane 0 set ...
    EXPECT_EQ(bytes[8 + 17], 0x00); // ... plane 1 clear
    EXPECT_FALSE(document().Epa2Pending);
    EXPECT_FALSE(ui().CreateEpa->isEnabled());
    EXPECT_TRUE(document().EpaFileName.empty()); // never reloaded as a logo
}

TEST_F(BitmapCommandsTest, PaintSaveReopenAndExportKeepTheLogo) {
    loadBitmap(writeMonoBitmap("in.bmp", true, 37, 99));
    create();
    ui().Farbauswahl->option(10)->click();
    pressOnCanvas({3 * 9 + 4, 2 * 15 + 4}, 1);
    dialogs.files.push_back(path("logo.epa"));
    form().SichEpa_Command_Click();
    const std::vector<std::uint8_t> before = glyphs();
    dialogs.answers.push_back(AnswerNo);
    dialogs.files.push_back(path("logo.epa"));
    form().LadeEpa_Command_Click();
    EXPECT_EQ(document().CellAttribute(3, 2), 10);

    dialogs.files.push_back(std::nullopt);
    form().EpaToBmp_Click();
    EXPECT_TRUE(document().BmpFileName.empty());
    WriteBytes(dir.file("out.bmp"), std::vector<std::uint8_t>(9000, 1));
    dialogs.files.push_back(path("out.bmp"));
    form().EpaToBmp_Click();
    EXPECT_FALSE(dialogs.fileDialogs.back().request.confirmOverwrite);
    EXPECT_EQ(ReadBytes(dir.file("out.bmp")), ReadBytes(dir.file("in.bmp")));
    dialogs.answers.push_back(AnswerNo);
    loadBitmap(path("out.bmp"));
    create();
    EXPECT_EQ(glyphs(), before);
}

} // namespace
} // namespace kalvero::test
