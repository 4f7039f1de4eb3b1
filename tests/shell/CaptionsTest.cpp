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

// The room a button's style leaves for its caption.
QRect CaptionRoom(QAbstractButton& button) {
    if (auto* picture = qobject_cast<PictureButton*>(&button)) {
        return picture->captionRect();
    }
    QStyleOptionButton option;
    option.initFrom(&button);
    option.text = button.text();
    const bool checkBox = qobject_cast<QCheckBox*>(&button) != nullptr;
    QRect room = button.style()->subElementRect(
        checkBox ? QStyle::SE_CheckBoxContents : QStyle::SE_PushButtonContents, &option, &button);
    if (!checkBox && !button.icon().isNull()) {
        // Qt's buttons put the picture and 4 pixels before the caption.
        room.setLeft(room.left() + button.iconSize().width() + 4);
    }
    return room;
}

class CaptionsTest : public FormFixture {
protected:
    void SetUp() override {
        FormFixture::SetUp();
        ui().Info->click();
        ui().about->trigger();
    }
    template <typename Control> Control& control(QWidget* window, const char* name) {
        auto* found = window->findChild<Control*>(QLatin1String(name));
        EXPECT_NE(found, nullptr) << name;
        return *found;
    }
};

TEST_F(CaptionsTest, EveryCaptionFitsItsControlInBothLanguages) {
    const char* const mainButtons[] = {"Ende_Command", "LadeEpa_Command", "SichEpa_Command",
                                       "EpaToBmp",     "CreateEpa",       "LadeBmp_Command",
                                       "Info",         "Backup",          "InversCheck",
                                       "SaveCheck",    "ShowRaster"};
    for (QToolButton* flag : {ui().Deutsch, ui().American}) {
        flag->click();
        std::vector<std::pair<QAbstractButton*, std::string>> buttons = {
            {form().readMe()->okButton(), "read-me OK"},
            {&control<QPushButton>(form().aboutWindow(), "Command1"), "about OK"}};
        for (const char* name : mainButtons) {
            buttons.emplace_back(&control<QAbstractButton>(&form(), name), name);
        }
        for (const auto& [button, name] : buttons) {
            const QSize needed = button->fontMetrics().size(Qt::TextShowMnemonic, button->text());
            const QRect room = CaptionRoom(*button);
            const std::string what = name + " in " + flag->text().toStdString();
            EXPECT_LE(needed.width(), room.width()) << what;
            EXPECT_LE(needed.height(), room.height()) << what;
            EXPECT_TRUE(button->rect().contains(room)) << what;
            if (auto* picture = qobject_cast<PictureButton*>(button)) {
                EXPECT_FALSE(picture->pictureRect().intersects(room)) << what;
                EXPECT_TRUE(button->rect().contains(picture->pictureRect())) << what;
            }
        }
    }
    // Labels of a fixed size, with their longest texts.
    const std::tuple<QLabel*, QString> labels[] = {
        {ui().Koordinaten, "Pixel  x: 136 y: 126\r\nKoord. x:  16 y:   8\r\nOffset  : 152"},
        {&control<QLabel>(form().readMe(), "Label1"), "Kalvero"},
        {&control<QLabel>(form().readMe(), "Label3"), "Windows 9x/NT/2000"},
    };
    for (const auto& [label, text] : labels) {
        const QRect room = label->contentsRect();
        const QSize needed = label->fontMetrics().boundingRect(room, 0, text).size();
        EXPECT_LE(needed.width(), room.width()) << text.toStdString();
        EXPECT_LE(needed.height(), room.height()) << text.toStdString();
    }
}

TEST_F(CaptionsTest, SmallButtonsShowTheirPicturesUnscaledWithLettersSevenPixelsHigh) {
    const std::tuple<const char*, const char*, std::vector<QRgb>> pictures[] = {
        {"LadeEpa_Command", "load-epa", {0x0e2f9e}},
        {"SichEpa_Command", "save-epa", {0x0e2f9e}},
        {"LadeBmp_Command", "load-bmp", {0xa0105a}},
        {"CreateEpa", "create-epa", {0xa0105a, 0x0e2f9e}},
    };
    for (const auto& [name, file, inks] : pictures) {
        auto& button = control<PictureButton>(&form(), name);
        const QSvgRenderer drawing(QStringLiteral(":/buttons/%1.svg").arg(QLatin1String(file)));
        EXPECT_EQ(button.iconSize(), drawing.defaultSize()) << name;
        const QImage picture = button.icon().pixmap(button.iconSize(), 1.0).toImage();
        for (const QRgb ink : inks) {
            int rows = 0;
            for (int y = 0; y < picture.height(); ++y) {
                bool inked = false;
                for (int x = 0; x < picture.width(); ++x) {
                    inked = inked || (picture.pixel(x, y) & 0xFFFFFF) == ink;
                }
                rows += inked ? 1 : 0;
            }
            EXPECT_EQ(rows, 7) << name;
        }
    }
}

} // namespace
} // namespace kalvero::test
