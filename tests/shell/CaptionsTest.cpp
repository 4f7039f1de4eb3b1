#include "shell/Form3.h"
#include "shell/Hinweis.h"
#include "shell/PictureButton.h"
#include "shell/support/FormFixture.h"

#include <QAction>
#include <QCheckBox>
#include <QLabel>
#include <QStyleOptionButton>
#include <QSvgRenderer>
#include <QToolButton>

namespace kalvero::test {
namespace {

// The room a button leaves for its caption.
QRect CaptionRoom(QAbstractButton& button) {
    if (auto* picture = qobject_cast<PictureButton*>(&button)) {
        EXPECT_FALSE(picture->pictureRect().intersects(picture->captionRect()));
        EXPECT_TRUE(button.rect().contains(picture->pictureRect()));
        return picture->captionRect();
    }
    QStyleOptionButton option;
    option.initFrom(&button);
    const bool checkBox = qobject_cast<QCheckBox*>(&button) != nullptr;
    QRect room = button.style()->subElementRect(
        checkBox ? QStyle::SE_CheckBoxContents : QStyle::SE_PushButtonContents, &option, &button);
    if (!checkBox && !button.icon().isNull()) { // Qt's picture and 4 pixels go first
        room.setLeft(room.left() + button.iconSize().width() + 4);
    }
    return room;
}

using CaptionsTest = FormFixture;

TEST_F(CaptionsTest, EveryCaptionFitsItsControlInBothLanguages) {
    ui().Info->click();
    ui().about->trigger();
    QWidget* readMe = form().readMe();
    std::vector<QAbstractButton*> buttons = {
        form().readMe()->okButton(), form().aboutWindow()->findChild<QPushButton*>("Command1")};
    for (const char* name :
         {"Ende_Command", "LadeEpa_Command", "SichEpa_Command", "EpaToBmp", "CreateEpa",
          "LadeBmp_Command", "Info", "Backup", "InversCheck", "SaveCheck", "ShowRaster"}) {
        buttons.push_back(form().findChild<QAbstractButton*>(name));
    }
    for (QToolButton* flag : {ui().Deutsch, ui().American}) {
        flag->click();
        for (QAbstractButton* button : buttons) {
            const QSize needed = button->fontMetrics().size(Qt::TextShowMnemonic, button->text());
            const QRect room = CaptionRoom(*button);
            EXPECT_TRUE(button->rect().contains(room) && needed.width() <= room.width() &&
                        needed.height() <= room.height())
                << button->text().toStdString() << ": " << needed.width() << " x "
                << needed.height() << " in " << room.width() << " x " << room.height();
        }
    }
    // Labels of a fixed size, with their longest texts.
    const std::pair<QLabel*, QString> labels[] = {
        {ui().Koordinaten, "Pixel  x: 136 y: 126\r\nKoord. x:  16 y:   8\r\nOffset  : 152"},
        {readMe->findChild<QLabel*>("Label1"), "Kalvero"},
        {readMe->findChild<QLabel*>("Label3"), "Windows 9x/NT/2000"},
    };
    for (const auto& [label, text] : labels) {
        const QRect room = label->contentsRect();
        const QSize needed = label->fontMetrics().boundingRect(room, 0, text).size();
        EXPECT_TRUE(needed.width() <= room.width() && needed.height() <= room.height())
            << text.toStdString();
    }
}

TEST_F(CaptionsTest, SmallButtonsShowTheirPicturesUnscaledWithLettersSevenPixelsHigh) {
    const std::pair<const char*, const char*> pictures[] = {{"LadeEpa_Command", "load-epa"},
                                                            {"SichEpa_Command", "save-epa"},
                                                            {"LadeBmp_Command", "load-bmp"},
                                                            {"CreateEpa", "create-epa"}};
    for (const auto& [name, file] : pictures) {
        auto* button = form().findChild<PictureButton*>(name);
        EXPECT_EQ(button->iconSize(),
                  QSvgRenderer(QStringLiteral(":/buttons/%1.svg").arg(file)).defaultSize())
            << name;
        // Rows with the ink of "EPA" (dark blue) or "BMP" (purple) in them.
        const QImage picture = button->icon().pixmap(button->iconSize(), 1.0).toImage();
        int inked = 0;
        for (int y = 0; y < picture.height(); ++y) {
            bool ink = false;
            for (int x = 0; x < picture.width(); ++x) {
                const QRgb colour = picture.pixel(x, y) & 0xFFFFFF;
                ink = ink || colour == 0x0e2f9e || colour == 0xa0105a;
            }
            inked += ink ? 1 : 0;
        }
        EXPECT_EQ(inked, 7) << name;
    }
}

} // namespace
} // namespace kalvero::test
