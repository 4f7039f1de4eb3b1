#include "canvas/ColourButton.h"
#include "canvas/LogoCanvas.h"
#include "canvas/PalettePanel.h"
#include "document/LanguageTexts.h"
#include "shell/PicturePreview.h"
#include "shell/SizingLabel.h"
#include "shell/support/FormFixture.h"

#include <QCheckBox>
#include <QPushButton>
#include <QToolButton>
#include <filesystem>

namespace kalvero::test {
namespace {

class BitmapCommandsTest : public FormFixture {
protected:
    void loadBitmap(const QString& chosen) {
        dialogs.files.push_back(chosen);
        form().LadeBmp_Command_Click();
    }
    void create() { form().CreateEpa_Click(); }
    bool enabled(QWidget* control) const { return control->isEnabled(); }
};

TEST_F(BitmapCommandsTest, TheFourAcceptedBitmapsLoad) {
    struct Case {
        const char* name;
        bool colour;
        bool tall;
    };
    const Case cases[] = {
        {"mono84.bmp", false, false},
        {"mono126.bmp", false, true},
        {"col84.bmp", true, false},
        {"col126.bmp", true, true},
    };
    for (const Case& c : cases) {
        const QString bitmap =
            c.colour ? writeColourBitmap(c.name, c.tall, 3) : writeMonoBitmap(c.name, c.tall, 0, 0);
        ui().InversCheck->setEnabled(false);
        document().TallLogo = !c.tall; // the logo keeps its own height
        loadBitmap(bitmap);
        SCOPED_TRACE(c.name);
        EXPECT_EQ(document().BmpFileName, bitmap.toStdString());
        EXPECT_EQ(ui().BmpNameAnzeige->text(), c.name);
        EXPECT_EQ(ui().BmpNameAnzeige->y(),
                  ui().ShowBmp_image->y() + ui().ShowBmp_image->height() + 1);
        EXPECT_EQ(ui().ShowBmp_image->size(), QSize(140, c.tall ? 130 : 88));
        EXPECT_TRUE(enabled(ui().CreateEpa));
        EXPECT_FALSE(enabled(ui().EpaToBmp));
        EXPECT_EQ(enabled(ui().InversCheck), !c.colour);
        EXPECT_EQ(document().Epa2Pending, c.colour);
        EXPECT_EQ(document().TallLogo, !c.tall);
        if (c.colour) {
            EXPECT_EQ(document().Epa2Tall, c.tall);
            EXPECT_EQ(document().Epa2Data.size(), c.tall ? 8628U : 5772U);
        } else {
            EXPECT_EQ(document().BmpTall, c.tall);
        }
    }
    const auto& request = dialogs.fileDialogs.front().request;
    EXPECT_EQ(request.filter, "(*.bmp)|*.bmp|all Files (*.*)|*.*|");
    EXPECT_EQ(request.initialName, "*.bmp");
}

TEST_F(BitmapCommandsTest, AFifthSizeIsRefusedWithTheFormatTable) {
    for (const Language language : {Language::English, Language::German}) {
        (language == Language::German ? ui().Deutsch : ui().American)->click();
        WriteBytes(dir.file("odd.bmp"), std::vector<std::uint8_t>(2583, 0));
        dialogs.messages.clear();
        loadBitmap(path("odd.bmp"));
        ASSERT_EQ(dialogs.messages.size(), 1U);
        const MessageText expected = BmpRefusal(language, 2583);
        EXPECT_EQ(dialogs.messages[0].title.toStdString(), expected.title);
        EXPECT_EQ(dialogs.messages[0].text.toStdString(), expected.text);
        EXPECT_EQ(dialogs.messages[0].icon, MessageIcon::Information);
        EXPECT_TRUE(ui().BmpNameAnzeige->text().isEmpty());
        EXPECT_FALSE(enabled(ui().CreateEpa));
    }
    EXPECT_EQ(dialogs.messages[0].title, "Falsche Dateigroesse - 2583 bytes");
}

TEST_F(BitmapCommandsTest, CancelLeavesThePreviewsClearedAndCommandsDisabled) {
    loadBitmap(writeMonoBitmap("a.bmp", true));
    ui().EpaToBmp->setEnabled(true);
    dialogs.files.push_back(ScriptedDialogs::FileAnswer::Cancel());
    form().LadeBmp_Command_Click();
    EXPECT_FALSE(ui().ShowBmp_image->hasPicture());
    EXPECT_FALSE(enabled(ui().CreateEpa));
    EXPECT_FALSE(enabled(ui().EpaToBmp));
    EXPECT_TRUE(document().BmpFileName.empty());
    EXPECT_TRUE(ui().BmpNameAnzeige->text().isEmpty());
}

TEST_F(BitmapCommandsTest, SaveQuestionOnlyWhenALogoFileIsCurrent) {
    // A bitmap logo without a file name: no question, buttons untouched.
    loadBitmap(writeMonoBitmap("a.bmp", true));
    create();
    loadBitmap(writeMonoBitmap("b.bmp", true));
    EXPECT_TRUE(dialogs.messages.empty());
    EXPECT_TRUE(enabled(ui().SichEpa_Command));

    // With a file name: No forgets the name and disables save and export.
    document().EpaFileName = path("old.epa").toStdString();
    dialogs.answers.push_back(AnswerNo);
    loadBitmap(writeMonoBitmap("c.bmp", true));
    ASSERT_EQ(dialogs.messages.size(), 1U);
    EXPECT_EQ(dialogs.messages[0].text, "Save Changes to " + path("old.epa") + " ?");
    EXPECT_TRUE(document().EpaFileName.empty());
    EXPECT_FALSE(enabled(ui().SichEpa_Command));

    // Yes saves and then goes on loading.
    create();
    document().EpaFileName = path("keep.epa").toStdString();
    dialogs.answers.push_back(AnswerYes);
    dialogs.files.push_back(path("keep.epa"));
    loadBitmap(writeMonoBitmap("d.bmp", false));
    EXPECT_EQ(ReadBytes(dir.file("keep.epa")).size(), 2367U);
    EXPECT_EQ(document().BmpFileName, path("d.bmp").toStdString());
}

TEST_F(BitmapCommandsTest, CreateMakesAWhiteLogoWithNegativeAsItStandsNow) {
    loadBitmap(writeMonoBitmap("a.bmp", false, 0, 0));
    ui().InversCheck->setChecked(true); // after the load: counts at Create EPA
    create();
    EXPECT_TRUE(document().EpaFromBmp);
    EXPECT_FALSE(document().TallLogo);
    EXPECT_EQ(document().EpaData(105), 0x7F);
    EXPECT_EQ(canvasPixel(1, 1), 0x000000U); // the set pixel became black
    EXPECT_EQ(canvasPixel(2, 1), 0xFFFFFFU);
    EXPECT_FALSE(enabled(ui().InversCheck));
    EXPECT_TRUE(enabled(ui().EpaToBmp));
    EXPECT_TRUE(enabled(ui().SichEpa_Command));
    EXPECT_FALSE(enabled(ui().CreateEpa));
    EXPECT_TRUE(ui().InversCheck->isChecked());
}

TEST_F(BitmapCommandsTest, ColourBitmapIsSavedAsEpa2ByCreate) {
    loadBitmap(writeColourBitmap("col.bmp", true, 5));
    ui().InversCheck->setChecked(true); // no effect on a 16-colour bitmap
    dialogs.files.push_back(ScriptedDialogs::FileAnswer::Cancel());
    create();
    EXPECT_EQ(dialogs.fileDialogs.back().request.initialName, path("col.epa"));
    EXPECT_TRUE(document().Epa2Pending);
    EXPECT_TRUE(enabled(ui().CreateEpa));

    dialogs.files.push_back(path("col.epa"));
    create();
    const std::vector<std::uint8_t> bytes = ReadBytes(dir.file("col.epa"));
    ASSERT_EQ(bytes.size(), 8628U);
    EXPECT_EQ(bytes[8], 0xFF);      // index 5: plane 0 set ...
    EXPECT_EQ(bytes[8 + 17], 0x00); // ... plane 1 clear
    EXPECT_FALSE(document().Epa2Pending);
    EXPECT_FALSE(enabled(ui().CreateEpa));
    EXPECT_TRUE(document().EpaFileName.empty()); // never reloaded as a logo
    EXPECT_EQ(canvasPixel(1, 1), 0xE0E0E0U);
}

TEST_F(BitmapCommandsTest, ExportWritesTheGlyphsAndLoadsBackTheSame) {
    loadBitmap(writeMonoBitmap("in.bmp", true, 37, 99));
    create();
    document().SetCellAttribute(4, 7, 0); // a black cell still exports white
    WriteBytes(dir.file("out.bmp"), std::vector<std::uint8_t>(9000, 1));
    dialogs.files.push_back(path("out.bmp"));
    form().EpaToBmp_Click();
    const auto& request = dialogs.fileDialogs.back().request;
    EXPECT_EQ(request.initialName, path("in.bmp"));
    EXPECT_EQ(request.filter, "(*.bmp)|*.bmp|all Files (*.*)|*.*|");
    EXPECT_FALSE(request.confirmOverwrite);
    EXPECT_EQ(document().BmpFileName, path("out.bmp").toStdString());
    EXPECT_EQ(ReadBytes(dir.file("out.bmp")), ReadBytes(dir.file("in.bmp")));

    const std::vector<std::uint8_t> glyphs(&document().EpaData(156), &document().EpaData(2297) + 1);
    loadBitmap(path("out.bmp"));
    create();
    EXPECT_EQ(std::vector<std::uint8_t>(&document().EpaData(156), &document().EpaData(2297) + 1),
              glyphs);
}

TEST_F(BitmapCommandsTest, ExportCancelWritesNothing) {
    loadBitmap(writeMonoBitmap("in.bmp", false));
    create();
    dialogs.files.push_back(ScriptedDialogs::FileAnswer::Cancel());
    form().EpaToBmp_Click();
    EXPECT_TRUE(document().BmpFileName.empty());
    EXPECT_EQ(dir.entries(), (std::vector<std::string>{"in.bmp", "settings"}));
}

TEST_F(BitmapCommandsTest, WholeRoadFromBitmapToColouredFileAndBack) {
    loadBitmap(writeMonoBitmap("logo.bmp", true, 0, 0));
    create();
    ui().Farbauswahl->option(10)->click();
    pressOnCanvas({3 * 9 + 4, 2 * 15 + 4}, 1);
    dialogs.files.push_back(path("logo.epa"));
    form().SichEpa_Command_Click();

    dialogs.answers.push_back(AnswerNo);
    dialogs.files.push_back(path("logo.epa"));
    form().LadeEpa_Command_Click();
    EXPECT_EQ(document().CellAttribute(3, 2), 10);
    EXPECT_EQ(document().CellAttribute(0, 0), 15);
    EXPECT_EQ(document().EpaData(156), 0x80);
}

} // namespace
} // namespace kalvero::test
