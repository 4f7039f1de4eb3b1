#include "canvas/ColourButton.h"
#include "canvas/LogoCanvas.h"
#include "canvas/PalettePanel.h"
#include "canvas/Twips.h"
#include "editor/LanguageTexts.h"
#include "shell/Artwork.h"
#include "shell/DesignLook.h"
#include "shell/Form1Controls.h"
#include "shell/LinkLabel.h"
#include "shell/PictureButton.h"
#include "shell/PicturePreview.h"
#include "shell/SizingLabel.h"

#include <QCheckBox>
#include <QMainWindow>
#include <QMenuBar>
#include <QPushButton>
#include <QToolButton>
#include <utility>

namespace kalvero {
namespace {

const QColor Blue(0, 0, 255);

template <typename Control>
Control* Place(Control* control, const char* name, int left, int top, int width, int height) {
    control->setObjectName(QLatin1String(name));
    control->setGeometry(PxRect(left, top, width, height));
    return control;
}

// The tall buttons carry their picture beside the caption; on the small ones
// the caption needs the whole width, and a picture of letters 7 pixels high
// stands above it.
PictureButton* TallButton(QWidget* parent, const char* picture) {
    return new PictureButton(QLatin1String(picture), QSize(28, 28), PictureButton::Layout::Beside,
                             parent);
}

PictureButton* SmallButton(QWidget* parent, const char* picture, int pictureWidth) {
    return new PictureButton(QLatin1String(picture), QSize(pictureWidth, 9),
                             PictureButton::Layout::Above, parent);
}

QToolButton* FlagButton(QWidget* parent, const char* picture, const QString& caption) {
    auto* button = new QToolButton(parent);
    button->setCheckable(true);
    button->setAutoRaise(false);
    button->setIconSize(QSize(24, 24));
    button->setIcon(ArtworkIcon(QLatin1String(picture), button->iconSize()));
    button->setText(caption);
    button->setToolButtonStyle(Qt::ToolButtonIconOnly);
    return button;
}

QCheckBox* CheckBox(QWidget* parent, const char* name, int top, bool checked) {
    auto* box = Place(new QCheckBox(parent), name, 7680, top, 1215, 255);
    box->setChecked(checked);
    return box;
}

} // namespace

Form1Controls BuildForm1Controls(QMainWindow& window) {
    auto* client = new QWidget(&window);
    client->setObjectName(QStringLiteral("Form1Client"));
    client->setFixedSize(Px(9030), Px(5835));
    UseDesignBackground(*client);
    window.setCentralWidget(client);
    // The design's window font; the controls inherit it unless they have their own.
    window.setFont(DesignFont(QStringLiteral("MS Sans Serif"), 8.25));

    const QFont bold975 = DesignFont(QStringLiteral("MS Sans Serif"), 9.75, true);
    const QFont bold825 = DesignFont(QStringLiteral("MS Sans Serif"), 8.25, true);
    Form1Controls ui;

    ui.Picture1 = Place(new LogoCanvas(client), "Picture1", 120, 120, 2385, 2100);
    ui.Picture1->setOuterSize(ui.Picture1->size());

    ui.ShowBmp_image = Place(new PicturePreview(client), "ShowBmp_image", 6840, 120, 2100, 1950);
    ui.ShowBmp_image->showPicture(
        ArtworkPixmap(QStringLiteral("preview-placeholder"), QSize(136, 126)));

    ui.Picture2 = Place(new QLabel(client), "Picture2", 2530, 360, 4260, 1500);
    ui.Picture2->setPixmap(ArtworkPixmap(QStringLiteral("banner"), ui.Picture2->size()));

    ui.PicBild = Place(new QLabel(client), "PicBild", 6840, 3120, 495, 495);
    ui.PicBild->setPixmap(ArtworkPixmap(QStringLiteral("cursors/hand"), QSize(32, 32)));
    ui.PicBild->hide();

    // Over the link's text the pointer becomes the hand held by PicBild; the
    // fingertip (10, 1) of the drawing is the hot spot.
    ui.lblHyperlink =
        Place(new LinkLabel(window.font(), QCursor(ui.PicBild->pixmap(), 10, 1), client),
              "lblHyperlink", 3720, 0, 1935, 240);
    ui.lblHyperlink->setFont(bold975);
    ui.lblHyperlink->setAlignment(Qt::AlignCenter);
    SetTextColour(*ui.lblHyperlink, Blue);
    {
        // Sized to its text, staying centred over the banner.
        const int centre = ui.lblHyperlink->geometry().center().x();
        ui.lblHyperlink->setText(QString::fromLatin1(HomepageAddress));
        const QSize size = ui.lblHyperlink->sizeHint();
        ui.lblHyperlink->setGeometry(centre - size.width() / 2, 0, size.width(), size.height());
    }

    ui.Label1 =
        Place(new SizingLabel(SizingLabel::Anchor::Centre, client), "Label1", 4440, 1920, 735, 240);
    ui.Label1->setFont(bold975);
    ui.Label1->setAlignment(Qt::AlignCenter);

    ui.Backup = CheckBox(client, "Backup", 2640, true);
    ui.Backup->setText(QStringLiteral("E&PA Backup"));
    ui.InversCheck = CheckBox(client, "InversCheck", 3240, false);
    ui.InversCheck->setEnabled(false);
    ui.SaveCheck = CheckBox(client, "SaveCheck", 3840, true);
    ui.ShowRaster = CheckBox(client, "ShowRaster", 4440, true);

    ui.Koordinaten = Place(new QLabel(client), "Koordinaten", 120, 2760, 2295, 780);
    ui.Koordinaten->setFont(
        DesignFont(QStringLiteral("Courier New"), 8.25, false, QFont::TypeWriter));
    ui.Koordinaten->setAlignment(Qt::AlignLeft | Qt::AlignTop);
    SetTextColour(*ui.Koordinaten, Blue);

    ui.Farbauswahl = new PalettePanel(client);
    ui.Farbauswahl->setGeometry(PxRect(120, 3480, 2172, 1332));

    ui.Ende_Command =
        Place(TallButton(client, "buttons/exit"), "Ende_Command", 120, 5160, 972, 525);
    ui.LadeEpa_Command = Place(SmallButton(client, "buttons/load-epa", 31), "LadeEpa_Command", 1200,
                               5280, 1095, 405);
    ui.SichEpa_Command = Place(SmallButton(client, "buttons/save-epa", 28), "SichEpa_Command", 2280,
                               5280, 1095, 405);
    ui.SichEpa_Command->setEnabled(false);
    ui.EpaToBmp = Place(new QPushButton(QStringLiteral("EP&AtoBMP"), client), "EpaToBmp", 3360,
                        5280, 1095, 405);
    ui.EpaToBmp->setFont(bold825);
    ui.EpaToBmp->setEnabled(false);

    ui.Deutsch = Place(FlagButton(client, "flags/german", QStringLiteral("Deutsch")), "Deutsch",
                       4560, 5280, 432, 432);
    ui.American = Place(FlagButton(client, "flags/american", QStringLiteral("American")),
                        "American", 5040, 5280, 432, 432);
    // One option group: choosing a flag releases the other, and choosing it
    // again keeps it. A QButtonGroup would do the same, but Tab would then
    // skip the flag that is not selected.
    for (auto [flag, other] :
         {std::pair{ui.Deutsch, ui.American}, std::pair{ui.American, ui.Deutsch}}) {
        QObject::connect(flag, &QToolButton::toggled, other, [other = other](bool on) {
            if (on) {
                other->setChecked(false);
            }
        });
        QObject::connect(flag, &QToolButton::clicked, flag,
                         [flag = flag] { flag->setChecked(true); });
    }
    ui.Deutsch->setChecked(true);

    ui.CreateEpa =
        Place(SmallButton(client, "buttons/create-epa", 45), "CreateEpa", 5640, 5280, 1095, 405);
    ui.CreateEpa->setText(QStringLiteral("&Kalvero"));
    ui.CreateEpa->setFont(bold825);
    ui.CreateEpa->setEnabled(false);
    ui.LadeBmp_Command = Place(SmallButton(client, "buttons/load-bmp", 31), "LadeBmp_Command", 6720,
                               5280, 1095, 405);
    ui.Info = Place(TallButton(client, "buttons/info"), "Info", 7920, 5160, 972, 525);
    ui.Info->setText(QStringLiteral("&Info"));
    ui.Info->setFont(bold825);

    ui.BmpNameAnzeige = Place(new SizingLabel(SizingLabel::Anchor::Left, client), "BmpNameAnzeige",
                              7920, 2160, 60, 195);
    ui.EpaNameAnzeige = Place(new SizingLabel(SizingLabel::Anchor::Left, client), "EpaNameAnzeige",
                              1200, 2400, 75, 195);

    ui.about = window.menuBar()->addAction(QStringLiteral("&About"));
    ui.about->setObjectName(QStringLiteral("about"));

    QWidget* order[] = {ui.Ende_Command,    ui.LadeEpa_Command, ui.SichEpa_Command,
                        ui.LadeBmp_Command, ui.CreateEpa,       ui.Info,
                        ui.Deutsch,         ui.American,        ui.EpaToBmp};
    QWidget* previous = nullptr;
    for (QWidget* control : order) {
        if (previous != nullptr) {
            QWidget::setTabOrder(previous, control);
        }
        previous = control;
    }
    for (int index = 0; index < 16; ++index) {
        QWidget::setTabOrder(previous, ui.Farbauswahl->option(index));
        previous = ui.Farbauswahl->option(index);
    }
    // The canvas comes last: Tab reaches it for painting from the keyboard.
    for (QWidget* box : {static_cast<QWidget*>(ui.Backup), static_cast<QWidget*>(ui.InversCheck),
                         static_cast<QWidget*>(ui.SaveCheck), static_cast<QWidget*>(ui.ShowRaster),
                         static_cast<QWidget*>(ui.Picture1)}) {
        QWidget::setTabOrder(previous, box);
        previous = box;
    }
    // The focus starts where the tab order begins.
    ui.Ende_Command->setFocus();
    return ui;
}

} // namespace kalvero
