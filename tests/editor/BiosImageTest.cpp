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
    // never written, under any name.
    session.painting().paint(0, 0, 1);
    EXPECT_TRUE(shown().saveEnabled);
    fs::create_symlink("board.bin", dir.file("same.rom"));
    save(path("same.rom"));
    EXPECT_EQ(dialogs.fileDialogs.back().initialName, path("board-new.bin"));
    EXPECT_NE(lastMessage().text.find("\r\nis the BIOS image that is open, which Kalvero never "
                                      "writes.\r\n"),
              std::string::npos);
    EXPECT_EQ(ReadBytes(dir.file("board.bin")), old);
    save(path("board-new.bin"));
    EXPECT_EQ(ReadBytes(dir.file("board-new.bin")), Replaced(old, logo(), LogoPlace::Boot));

    // A name ending in .epa, or the EPA filter, saves just the logo.
    save(path("x.EPA"));
    dialogs.saveFilters.push_back(ImageSaveEpaFilter);
    save(path("y.bin"));
    EXPECT_EQ(ReadBytes(dir.file("x.EPA")), logo());
    EXPECT_EQ(ReadBytes(dir.file("y.bin")), logo());
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

TEST_F(BiosImageTest, AnImageFailingACheckIsRefusedWithTheCoresReasonAndTheLogoStays) {
    load(writeLogo("keep.epa", true, 12, 0xFF));
    const Bytes before = logo();
    TestImage badC1 = LayoutA();
    badC1.c1 = C1Mode::Wrong;
    controls().german = true;
    load(writeImage("bad.bin", badC1));
    EXPECT_EQ(lastMessage().title, "BIOS-Abbild nicht geöffnet");
    EXPECT_NE(lastMessage().text.find("the check \"C1\" fails"), std::string::npos);
    EXPECT_EQ(logo(), before);
    EXPECT_EQ(view.redraws, 1);
    EXPECT_EQ(shown().epaName, "keep.epa");
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

    const int redraws = view.redraws;
    session.switchImageLogo();
    EXPECT_TRUE(document().showsFullScreen());
    EXPECT_EQ(view.redraws, redraws + 1);
    EXPECT_EQ(session.bootViewLogo(), screen);
    EXPECT_FALSE(session.painting().paint(0, 4, 0));

    controls().german = true;
    const Bytes next = Epa2Logo(640, 480, 5);
    WriteBytes(dir.file("next.bmp"), Epa2ToColourBmp(ParseEpa2(next).value()).value());
    loadBitmap(writeColourBitmap("small.bmp", false, 3));
    EXPECT_EQ(lastMessage().title, "Falsche Dateigroesse - 5830 bytes");
    EXPECT_NE(lastMessage().text.find("640 x 480 Pixel, 16 Farben (4 bit), 153718"),
              std::string::npos);
    loadBitmap(path("next.bmp"));
    run(&EditorSession::CreateEpa_Click, path("board-new.rom")); // the EPA 2.0 image saved
    EXPECT_EQ(ReadBytes(dir.file("board-new.rom")), Replaced(old, next, LogoPlace::FullScreen));
    session.switchImageLogo();
    loadBitmap(path("next.bmp"));
    EXPECT_EQ(lastMessage().title, "Falsche Dateigroesse - 153718 bytes");
    loadBitmap(path("small.bmp"));
    run(&EditorSession::CreateEpa_Click, path("board-new.rom")); // the EPA 2.0 image saved
    EXPECT_EQ(dialogs.fileDialogs.back().initialName, path("board-new.rom"));
    EXPECT_EQ(ReadBytes(dir.file("board-new.rom")),
              Replaced(Replaced(old, document().Epa2Data(), LogoPlace::Boot), next,
                       LogoPlace::FullScreen));

    // An image without a boot logo shows its full-screen logo at once.
    TestImage alone = LayoutA({screen});
    alone.chains[0].modules.erase(alone.chains[0].modules.begin() + 1);
    load(writeImage("alone.bin", alone));
    EXPECT_TRUE(document().showsFullScreen() && !document().canSwitchLogo());
}

} // namespace
} // namespace kalvero::test
