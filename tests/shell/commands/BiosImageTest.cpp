#include "bios/LogoModule.h"
#include "bios/LogoReplacer.h"
#include "bios/SyntheticImage.h"
#include "conversion/BootView.h"
#include "conversion/Epa2Image.h"
#include "conversion/PreviewImage.h"
#include "document/EpaFormat.h"
#include "shell/BootPreview.h"
#include "shell/support/FormFixture.h"

#include <QAction>
#include <QLabel>
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

QImage Picture(const RgbImage& image) {
    return QImage(reinterpret_cast<const uchar*>(image.pixels.data()), image.width, image.height,
                  image.width * 3, QImage::Format_RGB888)
        .convertToFormat(QImage::Format_RGB32);
}

class BiosImageTest : public FormFixture {
protected:
    void SetUp() override {
        FormFixture::SetUp();
        quiet();
    }
    QString writeImage(const std::string& name, const TestImage& image) {
        WriteBytes(dir.file(name), Build(image).bytes);
        return path(name);
    }
    void open(const QString& file) {
        dialogs.files.push_back(file);
        form().LadeEpa_Command_Click();
    }
    void loadBitmap(const QString& file) {
        dialogs.files.push_back(file);
        form().LadeBmp_Command_Click();
    }
    void save(const QString& file, int filter = 0) {
        dialogs.files.push_back(file);
        if (filter != 0) {
            dialogs.saveFilters.push_back(filter);
        }
        form().SichEpa_Command_Click();
    }
    // Create EPA: the EPA 2.0 image of the loaded bitmap into a new image.
    void create(const QString& file) {
        dialogs.files.push_back(file);
        form().CreateEpa_Click();
    }
    Bytes logo() { return WriteEpa(document()); }
    // F5, the canvas's first context menu entry, opens what `render
    // --boot-screen` draws of the EPA file.
    void expectBootView(const Bytes& epa) {
        ui().Picture1->actions().at(0)->trigger();
        EXPECT_EQ(form().bootPreview()->findChild<QLabel*>()->pixmap().toImage().convertToFormat(
                      QImage::Format_RGB32),
                  Picture(RenderBootView(ClassifyFile(epa.size(), epa), epa, 1, true).value()));
    }
};

TEST_F(BiosImageTest, ItsLogoIsEditedAsFromItsFileAndSavedAsANewImage) {
    const Bytes old = Build(LayoutA()).bytes;
    WriteBytes(dir.file("logo.epa"), bios::ExtractLogo(old, LogoPlace::Boot).value());
    open(path("logo.epa"));
    const QImage fromFile = ui().Picture1->image();
    open(writeImage("board.bin", LayoutA()));
    EXPECT_EQ(ui().Picture1->image(), fromFile);
    EXPECT_EQ(ui().EpaNameAnzeige->text(), "board.bin");

    pressOnCanvas({1, 1}, 1); // colour 0 on cell 0
    QAction* bootView = ui().Picture1->actions().at(0);
    EXPECT_EQ(bootView->shortcut(), QKeySequence(Qt::Key_F5));
    expectBootView(logo());
    save(path("board-new.bin"));
    const auto& request = dialogs.fileDialogs.back().request;
    EXPECT_EQ(request.initialName, path("board-new.bin"));
    EXPECT_EQ(request.filter.left(7), "BIOS im");
    EXPECT_EQ(request.filterIndex, 1);
    EXPECT_EQ(ReadBytes(dir.file("board-new.bin")), Replaced(old, logo(), LogoPlace::Boot));
    EXPECT_EQ(dialogs.messages.back().title, "New BIOS image");
    EXPECT_TRUE(
        dialogs.messages.back().text.contains("\r\n  C1: holds\r\n  C2: holds\r\n  C3: holds"));
    EXPECT_FALSE(ui().SichEpa_Command->isEnabled());

    // Painted and saved again, the new image is proposed; the one opened is
    // never written, under any name.
    pressOnCanvas({50, 50}, 1);
    EXPECT_TRUE(ui().SichEpa_Command->isEnabled());
    fs::create_hard_link(dir.file("board.bin"), dir.file("same.rom"));
    save(path("same.rom"));
    EXPECT_EQ(dialogs.fileDialogs.back().request.initialName, path("board-new.bin"));
    EXPECT_EQ(dialogs.messages.back().text.section("\r\n", 1, 1),
              "is the BIOS image that is open, which Kalvero never writes.");
    EXPECT_EQ(ReadBytes(dir.file("board.bin")), old);
    save(path("board-new.bin"));
    EXPECT_EQ(ReadBytes(dir.file("board-new.bin")), Replaced(old, logo(), LogoPlace::Boot));

    // A name ending in .epa, or the EPA filter, saves just the logo.
    save(path("x.EPA"));
    save(path("y.bin"), ImageSaveEpaFilter);
    EXPECT_EQ(ReadBytes(dir.file("x.EPA")), logo());
    EXPECT_EQ(ReadBytes(dir.file("y.bin")), logo());
}

TEST_F(BiosImageTest, ALogoThatNoLongerFitsIsKeptAndNothingIsWritten) {
    TestImage image = LayoutA();
    const BuiltImage built = Build(image);
    const TestModule& last = image.chains[0].modules.back();
    // Two bytes of 0xFF after the chain, one of which must stay.
    image.otherBlocks = {TestBlock{built.moduleOffsets.back() + ModuleBytes(last).size() + 1 + 2}};
    open(writeImage("tight.bin", image));
    for (int column = 0; column < 17; ++column) {
        document().SetCellAttribute(column, 0, static_cast<std::uint8_t>(column * 7 % 16));
    }
    save(path("tight-new.bin"));
    EXPECT_EQ(dialogs.messages.back().title, "Not saved");
    EXPECT_TRUE(dialogs.messages.back().text.contains(" more than fit")) << "by how many bytes";
    EXPECT_FALSE(fs::exists(dir.file("tight-new.bin")));
    EXPECT_TRUE(ui().SichEpa_Command->isEnabled());
    EXPECT_EQ(document().CellAttribute(3, 0), 5);
}

TEST_F(BiosImageTest, AnImageFailingACheckIsRefusedWithTheCoresReasonAndTheLogoStays) {
    open(writeLogo("keep.epa", true, 12, 0xFF));
    const QImage before = ui().Picture1->image();
    TestImage badC1 = LayoutA();
    badC1.c1 = C1Mode::Wrong;
    ui().Deutsch->click();
    open(writeImage("bad.bin", badC1));
    EXPECT_EQ(dialogs.messages.back().title, "BIOS-Abbild nicht geöffnet");
    EXPECT_TRUE(dialogs.messages.back().text.contains("the check \"C1\" fails"));
    EXPECT_EQ(ui().Picture1->image(), before);
    EXPECT_EQ(ui().EpaNameAnzeige->text(), "keep.epa");
}

// Neither an EPA 2.0 boot logo nor a full-screen logo is painted; each is
// replaced from a 16-colour bitmap of its size as `bios replace` (with
// --full-screen) replaces it, and a new image holds both replacements.
TEST_F(BiosImageTest, Epa2AndFullScreenLogosAreShownAndReplacedFromBitmapsOfTheirSize) {
    const Bytes screen = Epa2Logo(640, 480, 476); // stripe k, 32 pixels wide, in entry k % 16
    TestImage image = LayoutA({screen});
    image.chains[0].modules[1] = LogoModule(Epa2Logo(136, 84, 1));
    const Bytes old = Build(image).bytes;
    const Bytes boot = bios::ExtractLogo(old, LogoPlace::Boot).value();
    open(writeImage("board.rom", image));
    EXPECT_EQ(ui().Picture1->image().copy(0, 0, 136, 84), Picture(RenderPreview(boot, {}).value()));
    EXPECT_FALSE(ui().SichEpa_Command->isEnabled());
    expectBootView(boot);
    const QImage epa2 = ui().Picture1->image();
    pressOnCanvas({1, 1}, 1);
    EXPECT_EQ(ui().Picture1->image(), epa2) << "not painted";

    QAction* fullScreen = ui().Picture1->actions().at(1);
    EXPECT_EQ(fullScreen->shortcut(), QKeySequence(Qt::Key_F6));
    ui().Deutsch->click();
    EXPECT_EQ(fullScreen->text(), "&Vollbild-Logo");
    fullScreen->trigger();
    // As wide as the canvas, in the middle of its height.
    EXPECT_EQ(canvasPixel(3, 68), 0x928271U);   // entry 0: 36, 32, 28 of 63
    EXPECT_EQ(canvasPixel(151, 68), 0x201000U); // entry 3, the last stripe
    EXPECT_EQ(canvasPixel(3, 3), ui().Picture1->background().rgb() & 0xFFFFFF);
    const QImage shown = ui().Picture1->image();
    pressOnCanvas({1, 60}, 1);
    moveOnCanvas({20, 60}, 1);
    EXPECT_EQ(ui().Picture1->image(), shown) << "not painted";
    EXPECT_TRUE(ui().Koordinaten->text().isEmpty());

    const Bytes next = Epa2Logo(640, 480, 5);
    WriteBytes(dir.file("next.bmp"), Epa2ToColourBmp(ParseEpa2(next).value()).value());
    loadBitmap(writeColourBitmap("small.bmp", false, 3));
    EXPECT_EQ(dialogs.messages.back().title, "Falsche Dateigroesse - 5830 bytes");
    EXPECT_TRUE(
        dialogs.messages.back().text.contains("640 x 480 Pixel, 16 Farben (4 bit), 153718"));
    loadBitmap(path("next.bmp"));
    create(path("board-new.rom"));
    EXPECT_EQ(ReadBytes(dir.file("board-new.rom")), Replaced(old, next, LogoPlace::FullScreen));
    fullScreen->trigger();
    loadBitmap(path("next.bmp"));
    EXPECT_EQ(dialogs.messages.back().title, "Falsche Dateigroesse - 153718 bytes");
    loadBitmap(path("small.bmp"));
    create(path("board-new.rom"));
    EXPECT_EQ(dialogs.fileDialogs.back().request.initialName, path("board-new.rom"));
    EXPECT_EQ(ReadBytes(dir.file("board-new.rom")),
              Replaced(Replaced(old, document().Epa2Data(), LogoPlace::Boot), next,
                       LogoPlace::FullScreen));

    // An image without a boot logo shows its full-screen logo at once.
    TestImage alone = LayoutA({screen});
    alone.chains[0].modules.erase(alone.chains[0].modules.begin() + 1);
    open(writeImage("alone.bin", alone));
    EXPECT_EQ(canvasPixel(3, 68), 0x928271U);
    EXPECT_TRUE(fullScreen->isChecked() && !fullScreen->isEnabled());
}

// Each real image's logo, as the editor saves it, gives the image bios replace
// writes; none is refused.
TEST_F(BiosImageTest, RealImagesTakeTheirLogoBackAsBiosReplaceDoes) {
    const char* samples = std::getenv("KALVERO_BIOS_SAMPLES");
    if (samples == nullptr) {
        GTEST_SKIP() << "KALVERO_BIOS_SAMPLES names no folder of real images";
    }
    for (const auto& entry : fs::directory_iterator(samples)) {
        const Bytes old = ReadBytes(entry.path());
        open(QString::fromStdString(entry.path().string()));
        if (old.size() >= 128 * 1024 && document().hasLogo()) { // not for an EPA 2.0 logo
            save(path("new.bin"));
            EXPECT_EQ(ReadBytes(dir.file("new.bin")), Replaced(old, logo(), LogoPlace::Boot))
                << entry.path();
        }
    }
    for (const auto& notice : dialogs.messages) {
        EXPECT_NE(notice.title, "BIOS image not opened");
    }
}

} // namespace
} // namespace kalvero::test
