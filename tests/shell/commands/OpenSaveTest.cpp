#include "canvas/ColourButton.h"
#include "canvas/PalettePanel.h"
#include "document/LanguageTexts.h"
#include "shell/PicturePreview.h"
#include "shell/SizingLabel.h"
#include "shell/support/FormFixture.h"

#include <QCheckBox>
#include <QCoreApplication>
#include <QDragEnterEvent>
#include <QMimeData>
#include <QPushButton>
#include <QToolButton>
#include <filesystem>

namespace kalvero::test {
namespace {

class LoadEpaTest : public FormFixture {
protected:
    void load(const std::optional<QString>& chosen) {
        dialogs.files.push_back(chosen);
        form().LadeEpa_Command_Click();
    }
};

TEST_F(LoadEpaTest, OpensBothSizesAndShowsThem) {
    for (const bool tall : {true, false}) {
        const QString logo = writeLogo(tall ? "tall.epa" : "short.epa", tall, 12, 0xFF);
        document().forgotFileName();
        load(logo);
        EXPECT_EQ(document().EpaFileName(), logo.toStdString());
        EXPECT_EQ(document().TallLogo(), tall);
        EXPECT_EQ(ui().EpaNameAnzeige->text(), tall ? "tall.epa" : "short.epa");
        EXPECT_TRUE(ui().SichEpa_Command->isEnabled());
        EXPECT_TRUE(ui().EpaToBmp->isEnabled());
        EXPECT_EQ(canvasPixel(1, 1), 0xFF0000U); // read from the file
    }
    const FileDialogRequest& request = dialogs.fileDialogs.front().request;
    EXPECT_EQ(request.filter, "(*.epa)|*.epa|BIOS images (*.bin *.rom *.awd)|*.bin;*.rom;*.awd|"
                              "all Files (*.*)|*.*|");
    EXPECT_EQ(request.initialName, "*.epa");
    ui().Deutsch->click();
    dialogs.answers.push_back(AnswerNo);
    load(std::nullopt);
    EXPECT_TRUE(dialogs.fileDialogs.back().request.filter.endsWith("|Alle Dateien (*.*)|*.*|"));
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
    load(std::nullopt);
    EXPECT_EQ(dialogs.fileDialogs.back().kind, ScriptedDialogs::FileKind::Save);
    EXPECT_EQ(dialogs.fileDialogs.back().request.initialName, second);

    // Without Messages no question, and a Yes from an earlier box decides nothing.
    ui().SaveCheck->setChecked(false);
    form().context().MsgAnswer = AnswerYes;
    load(first);
    EXPECT_EQ(dialogs.messages.size(), 2U);
    EXPECT_EQ(dialogs.fileDialogs.back().kind, ScriptedDialogs::FileKind::Open);
    EXPECT_EQ(document().EpaFileName(), first.toStdString());
    EXPECT_EQ(document().CellAttribute(0, 0), 1);
}

TEST_F(LoadEpaTest, NoForABitmapLogoThenCancelKeepsIt) {
    makeBitmapLogo("/pics/my.logo.bmp");
    document().SetCellAttribute(0, 0, 5);
    dialogs.answers.push_back(AnswerNo);
    load(std::nullopt);
    EXPECT_EQ(dialogs.messages.at(0).text, "Save Changes to /pics/my.epa ?");
    EXPECT_TRUE(document().EpaFromBmp());
    EXPECT_TRUE(document().EpaFileName().empty());
    EXPECT_EQ(document().CellAttribute(0, 0), 5);
    EXPECT_TRUE(ui().SichEpa_Command->isEnabled());
}

TEST_F(LoadEpaTest, RefusedLengthsShowTheirNoticeMakeNoBackupAndKeepTheLogo) {
    ui().SaveCheck->setChecked(false);
    const QString logo = writeLogo("short.epa", false, 9, 0xFF);
    load(logo);
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
        dialogs.messages.clear();
        load(path("new.epa"));
        ASSERT_EQ(dialogs.messages.size(), 1U);
        EXPECT_EQ(dialogs.messages[0].title, title);
        EXPECT_EQ(dialogs.messages[0].text, text);
        EXPECT_EQ(document().EpaFileName(), logo.toStdString());
        EXPECT_FALSE(document().TallLogo()) << "kept as it was";
        EXPECT_EQ(canvasPixel(1, 1), 0x0000FFU);
        EXPECT_EQ(dir.entries(),
                  (std::vector<std::string>{"new.epa", "settings", "short.0", "short.epa"}));
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

class SaveEpaTest : public FormFixture {
protected:
    void save(const std::optional<QString>& chosen) {
        dialogs.files.push_back(chosen);
        form().SichEpa_Command_Click();
    }
};

TEST_F(SaveEpaTest, BitmapLogoIsProposedUnderTheBitmapNameAndBecomesTheFileLogo) {
    form().SichEpa_Command_Click(); // nothing to save: no dialog
    EXPECT_TRUE(dialogs.fileDialogs.empty());
    for (const bool tall : {false, true}) {
        makeBitmapLogo(path("pic.bmp").toStdString(), tall);
        document().forgotFileName();
        document().SetCellAttribute(0, 0, 4);
        save(path("pic.epa"));
        const FileDialogRequest& request = dialogs.fileDialogs.back().request;
        EXPECT_EQ(request.initialName, path("pic.epa"));
        EXPECT_EQ(request.filter, "(*.epa)|*.epa|all Files (*.*)|*.*|");
        EXPECT_TRUE(request.confirmOverwrite);
        EXPECT_EQ(ReadBytes(dir.file("pic.epa")).size(), tall ? 2367U : 1602U);
        EXPECT_EQ(document().EpaFileName(), path("pic.epa").toStdString());
        EXPECT_FALSE(document().EpaFromBmp());
        EXPECT_FALSE(ui().SichEpa_Command->isEnabled());
    }
    pressOnCanvas({1, 1}, 1); // painted after the save: something to save again
    EXPECT_TRUE(ui().SichEpa_Command->isEnabled());
}

TEST_F(SaveEpaTest, CancelNoChoiceAndAFailedWriteChangeNothing) {
    makeBitmapLogo(path("pic.bmp").toStdString());
    ui().EpaNameAnzeige->showText("old.epa");
    for (const std::optional<QString>& chosen :
         {std::optional<QString>(), std::optional<QString>("*.epa"),
          std::optional<QString>(path("missing-folder/out.epa"))}) {
        save(chosen);
        EXPECT_TRUE(document().EpaFileName().empty());
        EXPECT_EQ(ui().EpaNameAnzeige->text(), "old.epa");
        EXPECT_TRUE(ui().SichEpa_Command->isEnabled());
        EXPECT_TRUE(document().EpaFromBmp());
    }
    ASSERT_EQ(dialogs.messages.size(), 1U);
    EXPECT_EQ(dialogs.messages[0].title, "Not saved");
    EXPECT_EQ(dir.entries(), std::vector<std::string>{"settings"});
}

using CommandLineOpenTest = FormFixture;

TEST_F(CommandLineOpenTest, QuotedPathWithBlanksOpensOnceAtFirstActivation) {
    const QString logo = writeLogo("my logo.epa", false, 11, 0xFF);
    start('"' + logo + '"');
    EXPECT_TRUE(document().OpenPending());
    EXPECT_EQ(document().CellAttribute(0, 0), 0) << "nothing read before the activation";
    form().Form_Activate();
    EXPECT_FALSE(document().OpenPending());
    EXPECT_FALSE(document().TallLogo());
    EXPECT_EQ(document().CellAttribute(0, 0), 11);
    EXPECT_EQ(ui().EpaNameAnzeige->text(), "my logo.epa");
    EXPECT_TRUE(ui().SichEpa_Command->isEnabled());
    EXPECT_TRUE(std::filesystem::exists(dir.file("my logo.0"))) << "backup on by default";
    document().SetCellAttribute(0, 0, 3);
    form().Form_Activate(); // later activations open nothing
    EXPECT_EQ(document().CellAttribute(0, 0), 3);
    EXPECT_TRUE(dialogs.messages.empty());
}

TEST_F(CommandLineOpenTest, RefusedFilesGetTheCommandLineWording) {
    const std::string logo = writeLogo("a.epa", true, 1, 1).toStdString();
    // file contents (length), command line, title, last line of the notice
    const std::tuple<std::size_t, std::string, const char*, const char*> cases[] = {
        {5772, path("x.epa").toStdString(), "EPA Version 2.0 !",
         "Please use a graphic program to edit the corresponding bitmap-file!"},
        {100, path("x.epa").toStdString(), "Wrong Filesize - 100 bytes",
         "EPA-Filesize must be 1602 or 2367 bytes !"},
        // The closing quote is not the first quote left: it stays in the name.
        {100, '"' + logo + "\" more", "File not opened", "The file or folder does not exist."},
    };
    for (const auto& [length, commandLine, title, lastLine] : cases) {
        WriteBytes(dir.file("x.epa"), std::vector<std::uint8_t>(length, 0));
        dialogs.messages.clear();
        start(QString::fromStdString(commandLine));
        form().Form_Activate();
        ASSERT_EQ(dialogs.messages.size(), 1U);
        EXPECT_EQ(dialogs.messages[0].title, title);
        EXPECT_TRUE(dialogs.messages[0].text.endsWith(lastLine)) << commandLine;
        EXPECT_FALSE(document().hasLogo());
        EXPECT_FALSE(ui().SichEpa_Command->isEnabled());
    }
}

class DropTest : public FormFixture {
protected:
    // Drags the files over the window and lets them go; true when it took them.
    bool drop(const QList<QUrl>& files) {
        QMimeData data;
        data.setUrls(files);
        QDragEnterEvent enter(QPoint(300, 200), Qt::CopyAction, &data, Qt::LeftButton, {});
        QCoreApplication::sendEvent(&form(), &enter);
        if (!enter.isAccepted()) {
            return false;
        }
        QDropEvent dropped(QPointF(300, 200), Qt::CopyAction, &data, Qt::LeftButton, {});
        QCoreApplication::sendEvent(&form(), &dropped);
        QCoreApplication::processEvents(); // the command runs after the drop
        return dropped.isAccepted();
    }
    bool drop(const QString& file) { return drop({QUrl::fromLocalFile(file)}); }
};

TEST_F(DropTest, LogosAndBitmapsDroppedAreLoadedAsTheirCommandsLoadThem) {
    const QString first = writeLogo("first.epa", true, 12, 0xFF);
    ASSERT_TRUE(drop(first));
    EXPECT_EQ(ui().EpaNameAnzeige->text(), "first.epa");
    EXPECT_TRUE(ui().SichEpa_Command->isEnabled());
    EXPECT_EQ(canvasPixel(1, 1), 0xFF0000U);
    EXPECT_TRUE(std::filesystem::exists(dir.file("first.0"))) << "the backup copy";

    dialogs.answers.push_back(AnswerNo);
    ASSERT_TRUE(drop(writeLogo("SECOND.EPA", false, 9, 0xFF)));
    EXPECT_EQ(dialogs.messages.back().text, "Save Changes to " + first + " ?");
    EXPECT_EQ(canvasPixel(1, 1), 0x0000FFU);

    dialogs.answers.push_back(AnswerNo);
    ASSERT_TRUE(drop(writeMonoBitmap("pic.bmp", false)));
    EXPECT_EQ(dialogs.messages.size(), 2U);
    EXPECT_EQ(ui().BmpNameAnzeige->text(), "pic.bmp");
    EXPECT_TRUE(ui().CreateEpa->isEnabled());
    WriteBytes(dir.file("wrong.bmp"), std::vector<std::uint8_t>(100, 0));
    ASSERT_TRUE(drop(path("wrong.bmp")));
    EXPECT_TRUE(dialogs.messages.back().text.startsWith("You need one of the following Bitmap"));
    EXPECT_FALSE(ui().CreateEpa->isEnabled());
    EXPECT_TRUE(dialogs.fileDialogs.empty()) << "no file dialog for a dropped file";
}

TEST_F(DropTest, OnlyOneLocalLogoOrBitmapIsTaken) {
    const QList<QUrl> refused[] = {
        {QUrl::fromLocalFile(path("a.epa")), QUrl::fromLocalFile(path("b.bmp"))},
        {QUrl(QStringLiteral("https://kalvero.example.org/a.epa"))},
    };
    for (const QList<QUrl>& files : refused) {
        EXPECT_FALSE(drop(files)) << files.size();
    }
    EXPECT_TRUE(dialogs.messages.empty());
}

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
        EXPECT_EQ(document().Epa2Pending(), colour);
        EXPECT_TRUE(document().TallLogo()) << "the logo keeps its own height until Create EPA";
        EXPECT_EQ(colour ? document().Epa2Tall() : document().BmpTall(), tall);
    }
    EXPECT_EQ(dialogs.fileDialogs.front().request.filter, "(*.bmp)|*.bmp|all Files (*.*)|*.*|");
    EXPECT_EQ(dialogs.fileDialogs.front().request.initialName, "*.bmp");

    WriteBytes(dir.file("odd.bmp"), std::vector<std::uint8_t>(2583, 0));
    loadBitmap(path("odd.bmp"));
    ASSERT_EQ(dialogs.messages.size(), 1U);
    EXPECT_EQ(dialogs.messages[0].title.toStdString(), "Wrong Filesize - 2583 bytes");
    EXPECT_EQ(dialogs.messages[0].text.toStdString(),
              BmpRefusal(Language::English, 2583).text +
                  "\r\nodd.bmp has 2583 bytes.\r\n\"kalvero-cli import\" makes such a bitmap of "
                  "any picture.");
    EXPECT_TRUE(ui().BmpNameAnzeige->text().isEmpty());
    EXPECT_FALSE(ui().CreateEpa->isEnabled());
    EXPECT_FALSE(ui().ShowBmp_image->hasPicture());

    loadBitmap(std::nullopt);
    EXPECT_TRUE(document().BmpFileName().empty());
    EXPECT_FALSE(ui().EpaToBmp->isEnabled());
}

TEST_F(BitmapCommandsTest, SaveQuestionForALogoFileOrAnUnsavedBitmapLogo) {
    // An unsaved bitmap logo, under its default name: No, then a cancelled
    // dialog, keeps it on the canvas with Save EPA.
    loadBitmap(writeMonoBitmap("a.bmp", true));
    create();
    dialogs.answers.push_back(AnswerNo);
    loadBitmap(std::nullopt);
    EXPECT_EQ(dialogs.messages.at(0).text, "Save Changes to " + path("a.epa") + " ?");
    EXPECT_TRUE(ui().SichEpa_Command->isEnabled());
    EXPECT_EQ(canvasPixel(1, 1), 0U) << "black cells on the canvas, not its grey";
    // Yes, then a cancelled save, ends the whole command.
    dialogs.answers.push_back(AnswerYes);
    dialogs.files.push_back(std::nullopt);
    loadBitmap(writeMonoBitmap("b.bmp", true));
    EXPECT_EQ(dialogs.files.size(), 1U) << "no Open dialog";

    // No forgets the logo file and disables Save EPA once a bitmap is loaded.
    dialogs.files.clear();
    document().saved(path("old.epa").toStdString());
    dialogs.answers.push_back(AnswerNo);
    loadBitmap(writeMonoBitmap("c.bmp", true));
    EXPECT_EQ(dialogs.messages.back().text, "Save Changes to " + path("old.epa") + " ?");
    EXPECT_TRUE(document().EpaFileName().empty());
    EXPECT_FALSE(ui().SichEpa_Command->isEnabled());
    EXPECT_EQ(canvasPixel(1, 1), 0xE0E0E0U);

    // Yes saves, then goes on loading.
    create();
    document().saved(path("keep.epa").toStdString());
    dialogs.answers.push_back(AnswerYes);
    dialogs.files.push_back(path("keep.epa"));
    loadBitmap(writeMonoBitmap("d.bmp", false));
    EXPECT_EQ(ReadBytes(dir.file("keep.epa")).size(), 2367U);
    EXPECT_EQ(document().BmpFileName(), path("d.bmp").toStdString());
}

TEST_F(BitmapCommandsTest, CreateUsesNegativeAsItStandsAtCreateTime) {
    loadBitmap(writeMonoBitmap("a.bmp", false, 0, 0));
    ui().InversCheck->setChecked(true);
    create();
    EXPECT_TRUE(document().EpaFromBmp());
    EXPECT_FALSE(document().TallLogo());
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
    EXPECT_FALSE(document().Epa2Pending());
    EXPECT_FALSE(ui().CreateEpa->isEnabled());
    EXPECT_TRUE(document().EpaFileName().empty()); // never reloaded as a logo
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
    EXPECT_TRUE(document().BmpFileName().empty());
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
