// What the window adds to the editor's commands, which tests/editor tests:
// the file named on its command line, files dropped on it, the bitmap's
// preview.

#include "shell/BootPreview.h"
#include "shell/BootScreenWindow.h"
#include "shell/support/FormFixture.h"

#include <QCoreApplication>
#include <QDragEnterEvent>
#include <QLabel>
#include <QMimeData>

namespace kalvero::test {
namespace {

// Drags the files over the window, and drops them when it takes them.
bool Drop(QWidget& window, const QList<QUrl>& files) {
    QMimeData data;
    data.setUrls(files);
    QDragEnterEvent enter(QPoint(300, 200), Qt::CopyAction, &data, Qt::LeftButton, {});
    QCoreApplication::sendEvent(&window, &enter);
    QDropEvent dropped(QPointF(300, 200), Qt::CopyAction, &data, Qt::LeftButton, {});
    if (enter.isAccepted()) {
        QCoreApplication::sendEvent(&window, &dropped);
        QCoreApplication::processEvents(); // the command runs after the drop
    }
    return enter.isAccepted();
}

using Form1CommandsTest = FormFixture;

TEST_F(Form1CommandsTest, TheCommandLineFileOpensAtTheActivationAndOneLocalFileDroppedLoads) {
    start(QString::fromStdString('"' + writeLogo("my logo.epa", false, 11, 0xFF) + '"'));
    EXPECT_EQ(document().CellAttribute(0, 0), 0) << "nothing read before the activation";
    form().Form_Activate();
    EXPECT_EQ(ui().EpaNameAnzeige->text(), "my logo.epa");

    quiet();
    // A file dropped ends the boot view of the logo before it.
    form().showBootView();
    ASSERT_EQ(form().findChildren<BootPreview*>().size(), 1);
    ASSERT_TRUE(Drop(form(), {QUrl::fromLocalFile(QString::fromStdString(path("my logo.epa")))}));
    for (const BootPreview* view : form().findChildren<BootPreview*>()) {
        EXPECT_FALSE(view->isVisible());
    }

    // The preview shows a bitmap in its frame.
    const QUrl bitmap =
        QUrl::fromLocalFile(QString::fromStdString(writeColourBitmap("pic.BMP", true, 3)));
    EXPECT_FALSE(Drop(form(), {bitmap, bitmap}));
    EXPECT_FALSE(Drop(form(), {QUrl(QStringLiteral("https://kalvero.example.org/a.bmp"))}));
    ASSERT_TRUE(Drop(form(), {bitmap}));
    EXPECT_EQ(ui().BmpNameAnzeige->text(), "pic.BMP");
    EXPECT_EQ(ui().ShowBmp_image->size(), QSize(140, 130));
    dialogs.files.push_back(writeMonoBitmap("short.bmp", false));
    form().LadeBmp_Command_Click();
    EXPECT_EQ(ui().ShowBmp_image->size(), QSize(140, 88));
}

// F7 in the canvas's menu, usable once an image is open; the real boot runs
// on a thread under a progress dialog and its screen is shown scaled.
TEST_F(Form1CommandsTest, BootInQemuIsInTheCanvasMenuAndBootsARealBoard) {
    start();
    const QList<QAction*> entries = ui().Picture1->actions();
    const auto boot = std::find_if(entries.begin(), entries.end(), [](const QAction* entry) {
        return entry->shortcut() == QKeySequence(Qt::Key_F7);
    });
    ASSERT_NE(boot, entries.end());
    EXPECT_FALSE((*boot)->isEnabled());
    dialogs.files.push_back(writeImage("board.bin", LayoutA()));
    form().LadeEpa_Command_Click();
    EXPECT_TRUE((*boot)->isEnabled());
    const char* samples = std::getenv("KALVERO_BIOS_SAMPLES");
    if (samples == nullptr || *samples == '\0') {
        GTEST_SKIP() << "the real boot needs KALVERO_BIOS_SAMPLES";
    }
    const BootOutcome outcome = BootWithProgress(
        {"kn97", ReadBytes(std::filesystem::path(samples) / "kn97_0116I.001"), "..."}, &form());
    EXPECT_EQ(outcome.verdict, BootVerdict::Drawn);
    ASSERT_TRUE(outcome.screen);
    const BootScreenWindow window({"kn97", "drawn", outcome.report, *outcome.screen}, &form());
    const auto* screen = window.findChild<QLabel*>(QStringLiteral("BootScreen"));
    ASSERT_NE(screen, nullptr);
    EXPECT_NEAR(screen->pixmap().width() / double(screen->pixmap().height()), 720 / 400.0, 0.01);
}

} // namespace
} // namespace kalvero::test
