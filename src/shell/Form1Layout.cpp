#include "canvas/ColourButton.h"
#include "canvas/LogoCanvas.h"
#include "canvas/PalettePanel.h"
#include "canvas/Twips.h"
#include "editor/LanguageTexts.h"
#include "editor/WindowPlaces.h"
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

template <typename Control> Control* Place(Control* control, const ControlPlace& place) {
    control->setObjectName(QLatin1String(place.name));
    control->setGeometry(PxRect(place));
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

QCheckBox* CheckBox(QWidget* parent, const ControlPlace& place, bool checked) {
    auto* box = Place(new QCheckBox(parent), place);
    box->setChecked(checked);
    return box;
}

} // namespace

Form1Controls BuildForm1Controls(QMainWindow& window) {
    auto* client = new QWidget(&window);
    client->setObjectName(QStringLiteral("Form1Client"));
    client->setFixedSize(Px(Form1ClientPlace.width), Px(Form1ClientPlace.height));
    UseDesignBackground(*client);
    window.setCentralWidget(client);
    // The design's window font; the controls inherit it unless they have their own.
    window.setFont(DesignFont(QStringLiteral("MS Sans Serif"), 8.25));

    const QFont bold975 = DesignFont(QStringLiteral("MS Sans Serif"), 9.75, true);
    const QFont bold825 = DesignFont(QStringLiteral("MS Sans Serif"), 8.25, true);
    Form1Controls ui;

    ui.Picture1 = Place(new LogoCanvas(client), Form1Place("Picture1"));
    ui.Picture1->setOuterSize(ui.Picture1->size());

    ui.ShowBmp_image = Place(new PicturePreview(client), Form1Place("ShowBmp_image"));
    ui.ShowBmp_image->showPicture(
        ArtworkPixmap(QStringLiteral("preview-placeholder"), QSize(136, 126)));

    ui.Picture2 = Place(new QLabel(client), Form1Place("Picture2"));
    ui.Picture2->setPixmap(ArtworkPixmap(QStringLiteral("banner"), ui.Picture2->size()));

    // Never shown: it holds the link's hand pointer, which the page takes
    // from the artwork, so its place is the window's alone.
    ui.PicBild = Place(new QLabel(client), ControlPlace{"PicBild", 6840, 3120, 495, 495});
    ui.PicBild->setPixmap(ArtworkPixmap(QStringLiteral("cursors/hand"), QSize(32, 32)));
    ui.PicBild->hide();

    // Over the link's text the pointer becomes the hand held by PicBild; the
    // fingertip (10, 1) of the drawing is the hot spot.
    ui.lblHyperlink =
        Place(new LinkLabel(window.font(), QCursor(ui.PicBild->pixmap(), 10, 1), client),
              Form1Place("lblHyperlink"));
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

    ui.Label1 = Place(new SizingLabel(SizingLabel::Anchor::Centre, client), Form1Place("Label1"));
    ui.Label1->setFont(bold975);
    ui.Label1->setAlignment(Qt::AlignCenter);

    ui.Backup = CheckBox(client, Form1Place("Backup"), true);
    ui.Backup->setText(QStringLiteral("E&PA Backup"));
    ui.InversCheck = CheckBox(client, Form1Place("InversCheck"), false);
    ui.InversCheck->setEnabled(false);
    ui.SaveCheck = CheckBox(client, Form1Place("SaveCheck"), true);
    ui.ShowRaster = CheckBox(client, Form1Place("ShowRaster"), true);

    ui.Koordinaten = Place(new QLabel(client), Form1Place("Koordinaten"));
    ui.Koordinaten->setFont(
        DesignFont(QStringLiteral("Courier New"), 8.25, false, QFont::TypeWriter));
    ui.Koordinaten->setAlignment(Qt::AlignLeft | Qt::AlignTop);
    SetTextColour(*ui.Koordinaten, Blue);

    ui.Farbauswahl = Place(new PalettePanel(client), Form1Place("Farbauswahl"));

    ui.Ende_Command = Place(TallButton(client, "buttons/exit"), Form1Place("Ende_Command"));
    ui.LadeEpa_Command =
        Place(SmallButton(client, "buttons/load-epa", 31), Form1Place("LadeEpa_Command"));
    ui.SichEpa_Command =
        Place(SmallButton(client, "buttons/save-epa", 28), Form1Place("SichEpa_Command"));
    ui.SichEpa_Command->setEnabled(false);
    ui.EpaToBmp =
        Place(new QPushButton(QStringLiteral("EP&AtoBMP"), client), Form1Place("EpaToBmp"));
    ui.EpaToBmp->setFont(bold825);
    ui.EpaToBmp->setEnabled(false);

    ui.Deutsch =
        Place(FlagButton(client, "flags/german", QStringLiteral("Deutsch")), Form1Place("Deutsch"));
    ui.American = Place(FlagButton(client, "flags/american", QStringLiteral("American")),
                        Form1Place("American"));
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

    ui.CreateEpa = Place(SmallButton(client, "buttons/create-epa", 45), Form1Place("CreateEpa"));
    ui.CreateEpa->setText(QStringLiteral("&Kalvero"));
    ui.CreateEpa->setFont(bold825);
    ui.CreateEpa->setEnabled(false);
    ui.LadeBmp_Command =
        Place(SmallButton(client, "buttons/load-bmp", 31), Form1Place("LadeBmp_Command"));
    ui.Info = Place(TallButton(client, "buttons/info"), Form1Place("Info"));
    ui.Info->setText(QStringLiteral("&Info"));
    ui.Info->setFont(bold825);

    ui.BmpNameAnzeige =
        Place(new SizingLabel(SizingLabel::Anchor::Left, client), Form1Place("BmpNameAnzeige"));
    ui.EpaNameAnzeige =
        Place(new SizingLabel(SizingLabel::Anchor::Left, client), Form1Place("EpaNameAnzeige"));

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
