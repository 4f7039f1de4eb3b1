#include "bios/LogoModule.h"
#include "bios/LogoReplacer.h"
#include "conversion/Epa2Image.h"
#include "document/EpaFormat.h"
#include "editor/support/SessionFixture.h"

#include <cstdlib>
#include <filesystem>

namespace kalvero::test {
namespace {

namespace fs = std::filesystem;
using Bytes = std::vector<std::uint8_t>;
using bios::LogoPlace;

// The new image `bios replace` makes, which the core proves.
Bytes Replaced(const Bytes& image, const Bytes& logo, LogoPlace place) {
    return bios::ReplaceLogo(image, logo, place).value().image;
}

class BiosImageTest : public SessionFixture {
protected:
    BiosImageTest() { quiet(); }
    // The EPA file a save of the logo writes.
    Bytes logo() { return WriteEpa(document()); }
};

TEST_F(BiosImageTest, ItsLogoIsEditedAsFromItsFileAndSavedAsANewImage) {
    const Bytes old = Build(LayoutA()).bytes;
    WriteBytes(dir.file("logo.epa"), bios::ExtractLogo(old, LogoPlace::Boot).value());
    load(path("logo.epa"));
    const Bytes fromFile = logo();
    load(writeImage("board.bin", LayoutA()));
    EXPECT_EQ(logo(), fromFile);
    EXPECT_EQ(shown().epaName, "board.bin");

    EXPECT_TRUE(session.painting().paint(0, 0, 0));
    EXPECT_EQ(session.bootViewLogo(), logo());
    save(path("board-new.bin"));
    const FileDialogRequest& request = dialogs.fileDialogs.back();
    EXPECT_EQ(request.initialName, path("board-new.bin"));
    EXPECT_TRUE(request.filter.starts_with("BIOS im"));
    EXPECT_EQ(request.filterIndex, 1);
    EXPECT_EQ(ReadBytes(dir.file("board-new.bin")), Replaced(old, logo(), LogoPlace::Boot));
    EXPECT_EQ(lastMessage().title, "New BIOS image");
    EXPECT_NE(lastMessage().text.find("\r\n  C1: holds\r\n  C2: holds\r\n  C3: holds"),
              std::string::npos);
    EXPECT_FALSE(shown().saveEnabled);

    // Painted and saved again, the new image is proposed; the one opened is
    // never written, under any name, and refused before any replace question.
    session.painting().paint(0, 0, 1);
    EXPECT_TRUE(shown().saveEnabled);
    fs::create_symlink("board.bin", dir.file("same.rom"));
    dialogs.messages.clear();
    save(path("same.rom"));
    EXPECT_EQ(dialogs.fileDialogs.back().initialName, path("board-new.bin"));
    EXPECT_FALSE(dialogs.fileDialogs.back().confirmOverwrite);
    ASSERT_EQ(dialogs.messages.size(), 1U);
    EXPECT_NE(lastMessage().text.find("\r\nis the BIOS image that is open, which Kalvero never "
                                      "writes.\r\n"),
              std::string::npos);
    EXPECT_EQ(ReadBytes(dir.file("board.bin")), old);
    // Replacing the new image is asked first; No shows the dialog again.
    dialogs.answers = {AnswerNo, AnswerYes};
    dialogs.files.push_back(path("board-new.bin"));
    save(path("board-new.bin"));
    EXPECT_EQ(dialogs.messages.at(1).text,
              path("board-new.bin") + " already exists.\r\nDo you want to replace it?");
    EXPECT_EQ(ReadBytes(dir.file("board-new.bin")), Replaced(old, logo(), LogoPlace::Boot));

    // A name ending in .epa, or the EPA filter, saves just the logo, and says so.
    save(path("x.EPA"));
    EXPECT_EQ(lastMessage().title, "EPA file saved");
    dialogs.saveFilters.push_back(ImageSaveEpaFilter);
    save(path("y.bin"));
    EXPECT_EQ(ReadBytes(dir.file("x.EPA")), logo());
    EXPECT_EQ(ReadBytes(dir.file("y.bin")), logo());

    // An image named *.epa is told by content and saved as an image; the
    // question before opening another file names what Yes writes.
    fs::copy_file(dir.file("board.bin"), dir.file("board.epa"));
    load(path("board.epa"));
    session.painting().paint(0, 0, 2);
    controls().messages = true;
    dialogs.answers = {AnswerNo};
    load(std::nullopt);
    EXPECT_EQ(lastMessage().text, "Save Changes to " + path("board-new.epa") + " ?");
    save(path("board-new.epa"));
    EXPECT_EQ(dialogs.fileDialogs.back().initialName, path("board-new.epa"));
    EXPECT_EQ(dialogs.fileDialogs.back().filterIndex, 1);
    EXPECT_EQ(ReadBytes(dir.file("board-new.epa")), Replaced(old, logo(), LogoPlace::Boot));
}

// F7 boots the new image Save EPA wrote, else the open one; the verdict comes
// over the BIOS's screen, and a QEMU that cannot be used is told.
TEST_F(BiosImageTest, BootInQemuBootsTheNewImageElseTheOpenOne) {
    QemuBooting& booting = session.qemuBooting();
    booting.boot();
    EXPECT_EQ(booting.target(), "");
    load(writeImage("board.bin", LayoutA()));
    EXPECT_EQ(booting.target(), path("board.bin"));
    booting.setQemuMissing("QEMU is not installed");
    EXPECT_EQ(booting.caption(Language::German),
              "In QEMU starten: erst qemu-system-x86 installieren");
    booting.boot();
    EXPECT_EQ(lastMessage().text, "QEMU could not be used: QEMU is not installed");
    booting.setQemuMissing("");
    session.painting().paint(0, 0, 0);
    save(path("board-new.bin"));
    EXPECT_EQ(booting.target(), path("board-new.bin"));
    const std::tuple<BootVerdict, std::size_t, std::string> cases[] = {
        {BootVerdict::Drawn, 1, "The board's BIOS drew the logo."},
        {BootVerdict::NotDrawn, 2, "The board's BIOS did NOT draw the logo."},
        {BootVerdict::Cancelled, 2, ""},
        {BootVerdict::QemuUnusable, 2, "QEMU could not be used: QEMU ended"},
    };
    for (const auto& [verdict, screens, said] : cases) {
        const std::size_t messages = dialogs.messages.size();
        dialogs.boots.push_back({verdict, {"QEMU ended"}, RgbImage{1, 1, {{1, 2, 3}}}});
        booting.boot();
        EXPECT_EQ(dialogs.bootRequests.back().image, ReadBytes(dir.file("board-new.bin")));
        ASSERT_EQ(dialogs.bootScreens.size(), screens);
        const std::string& told = verdict == BootVerdict::QemuUnusable
                                      ? lastMessage().text
                                      : dialogs.bootScreens.back().verdict;
        EXPECT_EQ(verdict == BootVerdict::Cancelled ? "" : told, said);
        EXPECT_EQ(dialogs.messages.size(), messages + (verdict == BootVerdict::QemuUnusable));
    }
}

TEST_F(BiosImageTest, ALogoThatNoLongerFitsIsKeptAndNothingIsWritten) {
    TestImage image = LayoutA();
    const BuiltImage built = Build(image);
    const TestModule& last = image.chains[0].modules.back();
    // Two bytes of 0xFF after the chain, one of which must stay.
    image.otherBlocks = {TestBlock{built.moduleOffsets.back() + ModuleBytes(last).size() + 1 + 2}};
    load(writeImage("tight.bin", image));
    for (int column = 0; column < 17; ++column) {
        document().SetCellAttribute(column, 0, static_cast<std::uint8_t>(column * 7 % 16));
    }
    save(path("tight-new.bin"));
    EXPECT_EQ(lastMessage().title, "Not saved");
    EXPECT_NE(lastMessage().text.find(" more than fit"), std::string::npos) << "by how many bytes";
    EXPECT_FALSE(fs::exists(dir.file("tight-new.bin")));
    EXPECT_TRUE(shown().saveEnabled);
    EXPECT_EQ(document().CellAttribute(3, 0), 5);
}

// A damaged image, a file of an image's size that is none and an image cut
// short are each refused as an image, with the core's reason.
TEST_F(BiosImageTest, AFileMeantAsAnImageButRefusedIsToldWhyAndTheLogoStays) {
    load(writeLogo("keep.epa", true, 12, 0xFF));
    const Bytes before = logo();
    TestImage badC1 = LayoutA();
    badC1.c1 = C1Mode::Wrong;
    const Bytes whole = Build(LayoutA()).bytes;
    const std::pair<Bytes, std::string> cases[] = {
        {Build(badC1).bytes, "die Prüfung \"C1\" stimmt nicht"},
        {Bytes(0x20000), "kein Award-BIOS-Abbild: kein Bootblock"},
        {Bytes(whole.begin(), whole.begin() + 100000),
         "ein abgeschnittenes Award-BIOS-Abbild: 100000"},
    };
    controls().german = true;
    for (const auto& [bytes, reason] : cases) {
        WriteBytes(dir.file("bad.bin"), bytes);
        load(path("bad.bin"));
        EXPECT_EQ(lastMessage().title, "BIOS-Abbild nicht geöffnet");
        EXPECT_NE(lastMessage().text.find(reason), std::string::npos) << lastMessage().text;
        EXPECT_EQ(logo(), before);
        EXPECT_EQ(shown().epaName, "keep.epa");
    }
    EXPECT_EQ(view.redraws, 1);
}

// Neither an EPA 2.0 boot logo nor a full-screen logo is painted; each is
// replaced from a 16-colour bitmap of its size as `bios replace` (with
// --full-screen) replaces it, and a new image holds both replacements.
TEST_F(BiosImageTest, Epa2AndFullScreenLogosAreShownAndReplacedFromBitmapsOfTheirSize) {
    const Bytes screen = Epa2Logo(640, 480, 476);
    TestImage image = LayoutA({screen});
    image.chains[0].modules[1] = LogoModule(Epa2Logo(136, 84, 1));
    const Bytes old = Build(image).bytes;
    const Bytes boot = bios::ExtractLogo(old, LogoPlace::Boot).value();
    load(writeImage("board.rom", image));
    EXPECT_TRUE(document().showsImageEpa2() && document().canSwitchLogo());
    EXPECT_EQ(session.bootViewLogo(), boot);
    EXPECT_FALSE(shown().saveEnabled || shown().exportEnabled);
    EXPECT_FALSE(session.painting().paint(0, 0, 0));

    const int redraws = view.redraws, clears = view.clears;
    session.switchImageLogo();
    EXPECT_TRUE(document().showsFullScreen());
    EXPECT_EQ(view.redraws, redraws + 1);
    EXPECT_EQ(view.clears, clears + 1); // the canvas drawn whole
    EXPECT_EQ(session.bootViewLogo(), screen);
    EXPECT_FALSE(session.painting().paint(0, 4, 0));

    controls().german = true;
    const Bytes next = Epa2Logo(640, 480, 5);
    WriteBytes(dir.file("next.bmp"), Epa2ToColourBmp(ParseEpa2(next).value()).value());
    loadBitmap(writeColourBitmap("small.bmp", false, 3));
    EXPECT_EQ(lastMessage().title, "Falsche Dateigroesse - 5830 bytes");
    EXPECT_NE(lastMessage().text.find("640 x 480 Pixel, 16 Farben (4 bit), 153718"),
              std::string::npos);
    // A picture the face reads, twice as wide as high, is made into the
    // logo: red left, blue right, on black.
    const auto madeOfPicture = [&](const char* file) {
        view.picture = RgbImage{2, 1, {{255, 0, 0}, {0, 0, 255}}};
        loadBitmap(path(file));
        view.picture.reset();
        return ParseEpa2(document().Epa2Data()).value();
    };
    const auto colourAt = [](const Epa2Picture& made, int x, int y) {
        return Epa2Colour(made, made.indices[static_cast<std::size_t>(y * made.width + x)]);
    };
    const Epa2Picture made = madeOfPicture("small.bmp");
    EXPECT_EQ(made.width * 1000 + made.height, 640480);
    EXPECT_EQ(colourAt(made, 0, 240), (Rgb{255, 0, 0}));
    EXPECT_EQ(colourAt(made, 639, 240), (Rgb{0, 0, 255}));
    loadBitmap(path("next.bmp"));
    run(&EditorSession::CreateEpa_Click, path("board-new.rom")); // the EPA 2.0 image saved
    EXPECT_EQ(ReadBytes(dir.file("board-new.rom")), Replaced(old, next, LogoPlace::FullScreen));
    session.switchImageLogo();
    loadBitmap(path("next.bmp"));
    EXPECT_EQ(lastMessage().title, "Falsche Dateigroesse - 153718 bytes");
    // The boot logo too, the picture in 68 rows from row 8.
    const Epa2Picture fitted = madeOfPicture("next.bmp");
    EXPECT_EQ(fitted.width * 1000 + fitted.height, 136084);
    EXPECT_EQ(colourAt(fitted, 0, 42), (Rgb{255, 0, 0}));
    EXPECT_EQ(colourAt(fitted, 135, 42), (Rgb{0, 0, 255}));
    EXPECT_EQ(colourAt(fitted, 0, 4), (Rgb{0, 0, 0}));
    loadBitmap(path("small.bmp"));
    dialogs.answers = {AnswerYes};                               // replace board-new.rom
    run(&EditorSession::CreateEpa_Click, path("board-new.rom")); // the EPA 2.0 image saved
    EXPECT_EQ(dialogs.fileDialogs.back().initialName, path("board-new.rom"));
    EXPECT_EQ(ReadBytes(dir.file("board-new.rom")),
              Replaced(Replaced(old, document().Epa2Data(), LogoPlace::Boot), next,
                       LogoPlace::FullScreen));

    // An image whose boot logo cannot be read shows its full-screen logo at
    // once, and says why.
    TestImage alone = LayoutA({screen});
    alone.chains[0].modules[1].data = Bytes(1602, 0); // counts of 0 x 0 cells
    load(writeImage("alone.bin", alone));
    EXPECT_TRUE(document().showsFullScreen() && !document().canSwitchLogo());
    EXPECT_EQ(lastMessage().title, "Boot-Logo nicht gezeigt");
    EXPECT_NE(lastMessage().text.find("Zählbytes 0 x 0 Zellen sagen"), std::string::npos);
}

} // namespace
} // namespace kalvero::test
