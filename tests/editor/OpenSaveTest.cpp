#include "editor/support/SessionFixture.h"

#include <tuple>

namespace kalvero::test {
namespace {

using OpenSaveTest = SessionFixture;

TEST_F(OpenSaveTest, ALogoOpensByLoadEpaAndOnceFromTheCommandLineWithABackup) {
    const std::string name = "Müller \"Bios\"\n'X'.epa";
    load(writeLogo(name, true, 12, 0xFF));
    EXPECT_TRUE(document().TallLogo());
    EXPECT_EQ(document().CellAttribute(16, 8), 12);
    EXPECT_EQ(view.redraws, 1);
    EXPECT_EQ(shown().epaName, name);
    EXPECT_TRUE(shown().saveEnabled && shown().exportEnabled);
    const FileDialogRequest& request = dialogs.fileDialogs.front();
    EXPECT_EQ(request.filter, "EPA files and BIOS images|*|(*.epa)|*.epa|BIOS images of any name "
                              "(.bin, .rom, .001, .F1 ...)|*|all Files (*.*)|*.*|");
    EXPECT_EQ(request.initialName, "*.epa");

    // The window names the file at its start and opens it at its first activation.
    document().namedOnCommandLine(writeLogo("my logo.epa", false, 11, 0xFF));
    session.openCommandLineFile();
    EXPECT_FALSE(document().TallLogo());
    EXPECT_EQ(document().CellAttribute(0, 0), 11);
    EXPECT_EQ(shown().epaName, "my logo.epa");
    EXPECT_EQ(ReadBytes(dir.file("my logo.0")), ReadBytes(dir.file("my logo.epa")));
    document().SetCellAttribute(0, 0, 3);
    session.openCommandLineFile(); // later activations open nothing
    EXPECT_EQ(document().CellAttribute(0, 0), 3);
}

TEST_F(OpenSaveTest, SaveFirstQuestionAndItsAnswers) {
    const std::string first = writeLogo("first.epa", true, 1, 0xFF);
    const std::string second = writeLogo("second.epa", true, 2, 0xFF);
    load(first);
    dialogs.answers.push_back(AnswerNo);
    load(second);
    ASSERT_EQ(dialogs.messages.size(), 1U);
    EXPECT_EQ(lastMessage().title, "Kalvero");
    EXPECT_EQ(lastMessage().text, "Save Changes to " + first + " ?");
    EXPECT_EQ(document().CellAttribute(0, 0), 2);

    // A bitmap logo is asked about under its default name; No and a cancelled
    // dialog keep it.
    MakeBitmapLogo(session, "/pics/my.logo.bmp");
    document().SetCellAttribute(0, 0, 5);
    dialogs.answers.push_back(AnswerNo);
    load(std::nullopt);
    EXPECT_EQ(lastMessage().text, "Save Changes to /pics/my.epa ?");
    EXPECT_TRUE(document().EpaFromBmp() && shown().saveEnabled);
    EXPECT_EQ(document().CellAttribute(0, 0), 5);

    // Without Messages no question, and a Yes from an earlier box decides nothing.
    controls().messages = false;
    session.context().MsgAnswer = AnswerYes;
    load(first);
    EXPECT_EQ(dialogs.messages.size(), 2U);
    EXPECT_EQ(document().CellAttribute(0, 0), 1);
}

TEST_F(OpenSaveTest, AnEpa2FileIsRefusedInTheWordsOfHowItCameAndTheLogoStays) {
    controls().messages = false;
    load(writeLogo("short.epa", false, 9, 0xFF));
    WriteBytes(dir.file("new.epa"), std::vector<std::uint8_t>(8628, 1));
    controls().german = true;
    load(path("new.epa"));
    EXPECT_EQ(lastMessage().title, "EPA Version 2.0 !");
    EXPECT_EQ(lastMessage().text, "Die Datei new.epa\r\nbesitz das neue EPA-Format der Version "
                                  "2.0.\r\n\r\nEditieren Sie bitte stattdessen die entsprechende "
                                  "Bitmap-Datei !");
    EXPECT_EQ(shown().epaName, "short.epa");
    EXPECT_EQ(document().CellAttribute(0, 0), 9) << "kept as it was";
    EXPECT_EQ(view.redraws, 1);
    EXPECT_EQ(dir.entries(), (std::vector<std::string>{"new.epa", "short.0", "short.epa"}))
        << "no backup of a refused file";
    // A logo whose count bytes do not fit its length is refused too.
    std::vector<std::uint8_t> counts(1602, 0);
    counts[0] = 17, counts[1] = 9;
    WriteBytes(dir.file("counts.epa"), counts);
    load(path("counts.epa"));
    EXPECT_NE(lastMessage().text.find("Zählbytes 17 x 9 Zellen sagen"), std::string::npos);
    EXPECT_EQ(shown().epaName, "short.epa");

    // From the command line: no logo is left.
    controls().german = false;
    document().namedOnCommandLine(path("new.epa"));
    session.openCommandLineFile();
    EXPECT_FALSE(document().hasLogo());
    EXPECT_EQ(lastMessage().text, "new.epa\r\nwith new EPA format version 2.0.\r\n\r\nPlease use a "
                                  "graphic program to edit the corresponding bitmap-file!");
}

TEST_F(OpenSaveTest, SaveProposesTheBitmapNameAndACancelChangesNothing) {
    MakeBitmapLogo(session, path("Bild \"1\"\n.bmp"), false);
    controls().epaName = "old.epa";
    for (const std::optional<std::string>& chosen : {std::optional<std::string>(), {"*.epa"}}) {
        save(chosen);
        EXPECT_TRUE(document().EpaFileName().empty());
        EXPECT_EQ(controls().epaName, "old.epa");
        EXPECT_TRUE(shown().saveEnabled && document().EpaFromBmp());
    }
    const std::string saved = path("Bild \"1\"\n.epa");
    save(saved);
    const FileDialogRequest& request = dialogs.fileDialogs.back();
    EXPECT_EQ(request.initialName, saved);
    EXPECT_EQ(request.filter, "(*.epa)|*.epa|all Files (*.*)|*.*|");
    EXPECT_TRUE(request.confirmOverwrite);
    EXPECT_EQ(ReadBytes(saved).size(), 1602U);
    EXPECT_FALSE(document().EpaFromBmp() || shown().saveEnabled);
    EXPECT_TRUE(session.painting().paint(0, 0, 0)); // something to save again
    EXPECT_TRUE(shown().saveEnabled);
}

TEST_F(OpenSaveTest, ADroppedFileIsLoadedByItsExtensionWithoutAFileDialog) {
    session.loadDroppedFile(writeLogo("-first 'ä'.EPA", true, 12, 0xFF));
    EXPECT_EQ(shown().epaName, "-first 'ä'.EPA");
    dialogs.answers.push_back(AnswerNo); // not saved first
    session.loadDroppedFile(writeMonoBitmap("pic.BMP", false));
    EXPECT_EQ(shown().bmpName, "pic.BMP");
    EXPECT_EQ(dialogs.messages.size(), 1U);
    EXPECT_TRUE(dialogs.fileDialogs.empty());
}

TEST_F(OpenSaveTest, TheFourAcceptedBitmapsLoadAndAFifthSizeIsRefused) {
    // name, 16 colours, 126 rows
    const std::tuple<const char*, bool, bool> cases[] = {{"c84.bmp", true, false},
                                                         {"c126.bmp", true, true},
                                                         {"m126.bmp", false, true},
                                                         {"-m84 \"ä\".bmp", false, false}};
    for (const auto& [name, colour, tall] : cases) {
        controls().negativeEnabled = false; // a 16-colour load leaves it
        loadBitmap(colour ? writeColourBitmap(name, tall, 3) : writeMonoBitmap(name, tall, 0, 0));
        SCOPED_TRACE(name);
        EXPECT_EQ(shown().bmpName, name);
        EXPECT_EQ(view.bitmap, path(name));
        EXPECT_TRUE(shown().createEnabled && shown().negativeEnabled == !colour);
        EXPECT_EQ(document().Epa2Pending(), colour);
        EXPECT_TRUE(document().TallLogo()) << "the logo keeps its own height until Create EPA";
        EXPECT_EQ(colour ? document().Epa2Tall() : document().BmpTall(), tall);
    }
    EXPECT_EQ(dialogs.fileDialogs.front().filter, "(*.bmp)|*.bmp|all Files (*.*)|*.*|");
    EXPECT_EQ(dialogs.fileDialogs.front().initialName, "*.bmp");

    // Create EPA takes Negative as it stands then; EPAtoBMP replaces a file
    // without asking, the glyphs negative as made.
    controls().negative = true;
    session.CreateEpa_Click();
    EXPECT_FALSE(document().TallLogo());
    EXPECT_EQ(document().EpaData(105), 0x7F);
    EXPECT_FALSE(shown().negativeEnabled || shown().createEnabled);
    EXPECT_TRUE(shown().exportEnabled && shown().saveEnabled);
    WriteBytes(dir.file("out.bmp"), {1});
    run(&EditorSession::EpaToBmp_Click, path("out.bmp"));
    EXPECT_FALSE(dialogs.fileDialogs.back().confirmOverwrite);
    EXPECT_EQ(ReadBytes(dir.file("out.bmp")).at(62 + 83 * 20), 0x7F); // the top row

    WriteBytes(dir.file("odd.bmp"), std::vector<std::uint8_t>(2583, 0));
    dialogs.answers.push_back(AnswerNo);
    loadBitmap(path("odd.bmp"));
    EXPECT_EQ(lastMessage().title, "Wrong Filesize - 2583 bytes");
    EXPECT_TRUE(lastMessage().text.ends_with("\r\n\r\nodd.bmp has 2583 bytes.\r\n\"kalvero-cli "
                                             "import\" makes such a bitmap of any picture."));
    EXPECT_TRUE(shown().bmpName.empty() && view.bitmap.empty());
    EXPECT_FALSE(shown().createEnabled);

    // A bitmap its face cannot show is not loaded either, without a notice.
    view.refuseBitmaps = true;
    dialogs.answers.push_back(AnswerNo);
    loadBitmap(path("m126.bmp"));
    EXPECT_EQ(dialogs.messages.size(), 3U);
    EXPECT_TRUE(shown().bmpName.empty() && document().LoadedBmpFile().empty());
    EXPECT_FALSE(shown().createEnabled);
}

TEST_F(OpenSaveTest, LoadBmpAsksAboutALogoFileOrAnUnsavedBitmapLogo) {
    // An unsaved bitmap logo, under its default name: No, then a cancelled
    // dialog, keeps it on the canvas with Save EPA.
    loadBitmap(writeMonoBitmap("a.bmp", true));
    session.CreateEpa_Click();
    int clears = view.clears;
    dialogs.answers.push_back(AnswerNo);
    loadBitmap(std::nullopt);
    EXPECT_EQ(dialogs.messages.at(0).text, "Save Changes to " + path("a.epa") + " ?");
    EXPECT_TRUE(shown().saveEnabled && document().EpaFromBmp());
    EXPECT_EQ(view.clears, clears) << "the logo stays on the canvas";
    // Yes, then a cancelled save, ends the whole command.
    dialogs.answers.push_back(AnswerYes);
    dialogs.files.push_back(std::nullopt);
    loadBitmap(writeMonoBitmap("b.bmp", true));
    EXPECT_EQ(dialogs.files.size(), 1U) << "no Open dialog";

    // No forgets the logo file and disables Save EPA once a bitmap is loaded.
    dialogs.files.clear();
    document().saved(path("old.epa"));
    dialogs.answers.push_back(AnswerNo);
    loadBitmap(writeMonoBitmap("c.bmp", true));
    EXPECT_EQ(lastMessage().text, "Save Changes to " + path("old.epa") + " ?");
    EXPECT_TRUE(document().EpaFileName().empty());
    EXPECT_FALSE(shown().saveEnabled);
    EXPECT_EQ(view.clears, clears + 1);

    // Yes saves, then goes on loading.
    session.CreateEpa_Click();
    document().saved(path("keep.epa"));
    dialogs.answers.push_back(AnswerYes);
    dialogs.files.push_back(path("keep.epa"));
    loadBitmap(writeMonoBitmap("d.bmp", false));
    EXPECT_EQ(ReadBytes(dir.file("keep.epa")).size(), 2367U);
    EXPECT_EQ(document().BmpFileName(), path("d.bmp"));
}

} // namespace
} // namespace kalvero::test
