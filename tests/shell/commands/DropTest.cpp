#include "shell/SizingLabel.h"
#include "shell/support/FormFixture.h"

#include <QCoreApplication>
#include <QDragEnterEvent>
#include <QMimeData>
#include <QPushButton>

namespace kalvero::test {
namespace {

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
        {QUrl::fromLocalFile(path("notes.txt"))},
        {QUrl::fromLocalFile(path("a.epa")), QUrl::fromLocalFile(path("b.bmp"))},
        {QUrl(QStringLiteral("https://kalvero.example.org/a.epa"))},
    };
    for (const QList<QUrl>& files : refused) {
        EXPECT_FALSE(drop(files)) << files.size();
    }
    EXPECT_TRUE(dialogs.messages.empty());
}

} // namespace
} // namespace kalvero::test
