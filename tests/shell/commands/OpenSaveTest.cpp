#include "shell/support/FormFixture.h"

#include <QCoreApplication>
#include <QDragEnterEvent>
#include <QMimeData>
#include <filesystem>

namespace kalvero::test {
namespace {

class OpenSaveTest : public FormFixture {
protected:
    void load(const std::optional<QString>& chosen) {
        dialogs.files.push_back(chosen);
        form().LadeEpa_Command_Click();
    }
    void save(const std::optional<QString>& chosen) {
        dialogs.files.push_back(chosen);
        form().SichEpa_Command_Click();
    }
    void loadBitmap(const std::optional<QString>& chosen) {
        dialogs.files.push_back(chosen);
        form().LadeBmp_Command_Click();
    }
    const auto& lastMessage() const { return dialogs.messages.back(); }
};

TEST_F(OpenSaveTest, ALogoOpensByLoadEpaAndOnceByTheCommandLineWithABackup) {
    const std::string name = "Müller \"Bios\"\n'X'.epa";
    load(writeLogo(name, true, 12, 0xFF));
    EXPECT_TRUE(document().TallLogo());
    EXPECT_EQ(ui().EpaNameAnzeige->text().toStdString(), name);
    EXPECT_TRUE(ui().SichEpa_Command->isEnabled() && ui().EpaToBmp->isEnabled());
    EXPECT_EQ(canvasPixel(1, 1), 0xFF0000U);
    const auto& request = dialogs.fileDialogs.front().request;
    EXPECT_EQ(request.filter, "(*.epa)|*.epa|BIOS images (*.bin *.rom *.awd)|*.bin;*.rom;*.awd|"
                              "all Files (*.*)|*.*|");
    EXPECT_EQ(request.initialName, "*.epa");

    const QString logo = writeLogo("my logo.epa", false, 11, 0xFF);
    start('"' + logo + '"');
    EXPECT_EQ(document().CellAttribute(0, 0), 0) << "nothing read before the activation";
    form().Form_Activate();
    EXPECT_FALSE(document().TallLogo());
    EXPECT_EQ(document().CellAttribute(0, 0), 11);
    EXPECT_EQ(ui().EpaNameAnzeige->text(), "my logo.epa");
    EXPECT_EQ(ReadBytes(dir.file("my logo.0")), ReadBytes(dir.file("my logo.epa")));
    document().SetCellAttribute(0, 0, 3);
    form().Form_Activate(); // later activations open nothing
    EXPECT_EQ(document().CellAttribute(0, 0), 3);
}

TEST_F(OpenSaveTest, SaveFirstQuestionAndItsAnswers) {
    const QString first = writeLogo("first.epa", true, 1, 0xFF);
    const QString second = writeLogo("second.epa", true, 2, 0xFF);
    load(first);
    dialogs.answers.push_back(AnswerNo);
    load(second);
    ASSERT_EQ(dialogs.messages.size(), 1U);
    EXPECT_EQ(lastMessage().title, "Kalvero");
    EXPECT_EQ(lastMessage().text, "Save Changes to " + first + " ?");
    EXPECT_EQ(document().CellAttribute(0, 0), 2);

    // A bitmap logo is asked about under its default name; No and a cancelled
    // dialog keep it.
    makeBitmapLogo("/pics/my.logo.bmp");
    document().SetCellAttribute(0, 0, 5);
    dialogs.answers.push_back(AnswerNo);
    load(std::nullopt);
    EXPECT_EQ(lastMessage().text, "Save Changes to /pics/my.epa ?");
    EXPECT_TRUE(document().EpaFromBmp() && ui().SichEpa_Command->isEnabled());
    EXPECT_EQ(document().CellAttribute(0, 0), 5);

    // Without Messages no question, and a Yes from an earlier box decides nothing.
    ui().SaveCheck->setChecked(false);
    form().session().context().MsgAnswer = AnswerYes;
    load(first);
    EXPECT_EQ(dialogs.messages.size(), 2U);
    EXPECT_EQ(document().CellAttribute(0, 0), 1);
}

TEST_F(OpenSaveTest, AnEpa2FileIsRefusedInTheWordsOfHowItCameAndTheLogoStays) {
    ui().SaveCheck->setChecked(false);
    load(writeLogo("short.epa", false, 9, 0xFF));
    WriteBytes(dir.file("new.epa"), std::vector<std::uint8_t>(8628, 1));
    ui().Deutsch->click();
    load(path("new.epa"));
    EXPECT_EQ(lastMessage().title, "EPA Version 2.0 !");
    EXPECT_EQ(lastMessage().text, "Die Datei new.epa\r\nbesitz das neue EPA-Format der Version "
                                  "2.0.\r\n\r\nEditieren Sie bitte stattdessen die entsprechende "
                                  "Bitmap-Datei !");
    EXPECT_EQ(ui().EpaNameAnzeige->text(), "short.epa");
    EXPECT_EQ(canvasPixel(1, 1), 0x0000FFU) << "kept as it was";
    EXPECT_EQ(dir.entries(),
              (std::vector<std::string>{"new.epa", "settings", "short.0", "short.epa"}))
        << "no backup of a refused file";
    start(path("new.epa"));
    form().Form_Activate();
    EXPECT_FALSE(document().hasLogo());
    EXPECT_EQ(lastMessage().text, "new.epa\r\nwith new EPA format version 2.0.\r\n\r\nPlease use a "
                                  "graphic program to edit the corresponding bitmap-file!");
}

TEST_F(OpenSaveTest, SaveProposesTheBitmapNameAndCancelOrAFailedWriteChangeNothing) {
    makeBitmapLogo(path("Bild \"1\"\n.bmp").toStdString(), false);
    ui().EpaNameAnzeige->showText("old.epa");
    for (const std::optional<QString>& chosen :
         {std::optional<QString>(), std::optional<QString>("*.epa")}) {
        save(chosen);
        EXPECT_TRUE(document().EpaFileName().empty());
        EXPECT_EQ(ui().EpaNameAnzeige->text(), "old.epa");
        EXPECT_TRUE(ui().SichEpa_Command->isEnabled() && document().EpaFromBmp());
    }
    const QString saved = path("Bild \"1\"\n.epa");
    save(saved);
    const auto& request = dialogs.fileDialogs.back().request;
    EXPECT_EQ(request.initialName, saved);
    EXPECT_EQ(request.filter, "(*.epa)|*.epa|all Files (*.*)|*.*|");
    EXPECT_TRUE(request.confirmOverwrite);
    EXPECT_EQ(ReadBytes(saved.toStdString()).size(), 1602U);
    EXPECT_FALSE(document().EpaFromBmp() || ui().SichEpa_Command->isEnabled());
    pressOnCanvas({1, 1}, 1); // painted after the save: something to save again
    EXPECT_TRUE(ui().SichEpa_Command->isEnabled());
}

TEST_F(OpenSaveTest, OneLocalFileDroppedIsLoadedAsItsCommandLoadsIt) {
    const auto drop = [this](const QList<QUrl>& files) {
        QMimeData data;
        data.setUrls(files);
        QDragEnterEvent enter(QPoint(300, 200), Qt::CopyAction, &data, Qt::LeftButton, {});
        QCoreApplication::sendEvent(&form(), &enter);
        QDropEvent dropped(QPointF(300, 200), Qt::CopyAction, &data, Qt::LeftButton, {});
        if (enter.isAccepted()) {
            QCoreApplication::sendEvent(&form(), &dropped);
            QCoreApplication::processEvents(); // the command runs after the drop
        }
        return enter.isAccepted();
    };
    const QString logo = writeLogo("-first 'ä'.EPA", true, 12, 0xFF);
    EXPECT_FALSE(drop({QUrl::fromLocalFile(logo), QUrl::fromLocalFile(logo)}));
    EXPECT_FALSE(drop({QUrl(QStringLiteral("https://kalvero.example.org/a.epa"))}));
    ASSERT_TRUE(drop({QUrl::fromLocalFile(logo)}));
    EXPECT_EQ(ui().EpaNameAnzeige->text(), "-first 'ä'.EPA");
    dialogs.answers.push_back(AnswerNo); // not saved first
    ASSERT_TRUE(drop({QUrl::fromLocalFile(writeMonoBitmap("pic.BMP", false))}));
    EXPECT_EQ(ui().BmpNameAnzeige->text(), "pic.BMP");
    EXPECT_TRUE(dialogs.fileDialogs.empty()) << "no file dialog for a dropped file";
}

TEST_F(OpenSaveTest, TheFourAcceptedBitmapsLoadAndAFifthSizeIsRefused) {
    // name, 16 colours, 126 rows
    const std::tuple<const char*, bool, bool> cases[] = {{"c84.bmp", true, false},
                                                         {"c126.bmp", true, true},
                                                         {"m126.bmp", false, true},
                                                         {"-m84 \"ä\".bmp", false, false}};
    for (const auto& [name, colour, tall] : cases) {
        form().session().controls().negativeEnabled = false; // a 16-colour load leaves it
        loadBitmap(colour ? writeColourBitmap(name, tall, 3) : writeMonoBitmap(name, tall, 0, 0));
        SCOPED_TRACE(name);
        EXPECT_EQ(ui().BmpNameAnzeige->text().toStdString(), name);
        EXPECT_EQ(ui().ShowBmp_image->size(), QSize(140, tall ? 130 : 88));
        EXPECT_TRUE(ui().CreateEpa->isEnabled() && ui().InversCheck->isEnabled() == !colour);
        EXPECT_EQ(document().Epa2Pending(), colour);
        EXPECT_TRUE(document().TallLogo()) << "the logo keeps its own height until Create EPA";
        EXPECT_EQ(colour ? document().Epa2Tall() : document().BmpTall(), tall);
    }
    EXPECT_EQ(dialogs.fileDialogs.front().request.filter, "(*.bmp)|*.bmp|all Files (*.*)|*.*|");
    EXPECT_EQ(dialogs.fileDialogs.front().request.initialName, "*.bmp");

    // Create EPA takes Negative as it stands then; EPAtoBMP replaces a file
    // without asking, the glyphs negative as made.
    ui().InversCheck->setChecked(true);
    form().CreateEpa_Click();
    EXPECT_FALSE(document().TallLogo());
    EXPECT_EQ(document().EpaData(105), 0x7F);
    EXPECT_FALSE(ui().InversCheck->isEnabled() || ui().CreateEpa->isEnabled());
    EXPECT_TRUE(ui().EpaToBmp->isEnabled() && ui().SichEpa_Command->isEnabled());
    WriteBytes(dir.file("out.bmp"), {1});
    dialogs.files.push_back(path("out.bmp"));
    form().EpaToBmp_Click();
    EXPECT_FALSE(dialogs.fileDialogs.back().request.confirmOverwrite);
    EXPECT_EQ(ReadBytes(dir.file("out.bmp")).at(62 + 83 * 20), 0x7F); // the top row

    WriteBytes(dir.file("odd.bmp"), std::vector<std::uint8_t>(2583, 0));
    dialogs.answers.push_back(AnswerNo);
    loadBitmap(path("odd.bmp"));
    EXPECT_EQ(lastMessage().title, "Wrong Filesize - 2583 bytes");
    EXPECT_TRUE(lastMessage().text.endsWith("\r\n\r\nodd.bmp has 2583 bytes.\r\n\"kalvero-cli "
                                            "import\" makes such a bitmap of any picture."));
    EXPECT_TRUE(ui().BmpNameAnzeige->text().isEmpty());
    EXPECT_FALSE(ui().CreateEpa->isEnabled() || ui().ShowBmp_image->hasPicture());
}

TEST_F(OpenSaveTest, LoadBmpAsksAboutALogoFileOrAnUnsavedBitmapLogo) {
    // An unsaved bitmap logo, under its default name: No, then a cancelled
    // dialog, keeps it on the canvas with Save EPA.
    loadBitmap(writeMonoBitmap("a.bmp", true));
    form().CreateEpa_Click();
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
    EXPECT_EQ(lastMessage().text, "Save Changes to " + path("old.epa") + " ?");
    EXPECT_TRUE(document().EpaFileName().empty());
    EXPECT_FALSE(ui().SichEpa_Command->isEnabled());
    EXPECT_EQ(canvasPixel(1, 1), 0xE0E0E0U);

    // Yes saves, then goes on loading.
    form().CreateEpa_Click();
    document().saved(path("keep.epa").toStdString());
    dialogs.answers.push_back(AnswerYes);
    dialogs.files.push_back(path("keep.epa"));
    loadBitmap(writeMonoBitmap("d.bmp", false));
    EXPECT_EQ(ReadBytes(dir.file("keep.epa")).size(), 2367U);
    EXPECT_EQ(document().BmpFileName(), path("d.bmp").toStdString());
}

} // namespace
} // namespace kalvero::test
