#pragma once

class QAction;
class QCheckBox;
class QLabel;
class QMainWindow;
class QPushButton;
class QToolButton;

namespace kalvero {

class LinkLabel;
class LogoCanvas;
class PalettePanel;
class PicturePreview;
class SizingLabel;

// The controls of the main window, by the names the commands use.
struct Form1Controls {
    LogoCanvas* Picture1 = nullptr;
    PicturePreview* ShowBmp_image = nullptr;
    QLabel* Picture2 = nullptr;
    LinkLabel* lblHyperlink = nullptr;
    SizingLabel* Label1 = nullptr;
    QCheckBox* Backup = nullptr;
    QCheckBox* InversCheck = nullptr;
    QCheckBox* SaveCheck = nullptr;
    QCheckBox* ShowRaster = nullptr;
    QLabel* PicBild = nullptr;
    QLabel* Koordinaten = nullptr;
    PalettePanel* Farbauswahl = nullptr;
    QPushButton* Ende_Command = nullptr;
    QPushButton* LadeEpa_Command = nullptr;
    QPushButton* SichEpa_Command = nullptr;
    QPushButton* EpaToBmp = nullptr;
    QToolButton* Deutsch = nullptr;
    QToolButton* American = nullptr;
    QPushButton* CreateEpa = nullptr;
    QPushButton* LadeBmp_Command = nullptr;
    QPushButton* Info = nullptr;
    SizingLabel* BmpNameAnzeige = nullptr;
    SizingLabel* EpaNameAnzeige = nullptr;
    QAction* about = nullptr;
    // The canvas's context menu entry and F6: the open image's full-screen
    // logo instead of its boot logo, and back.
    QAction* FullScreenLogo = nullptr;
};

// Creates every control of the main window at its place, with its design-time
// state; captions and tool tips that follow the language are set later.
Form1Controls BuildForm1Controls(QMainWindow& window);

} // namespace kalvero
