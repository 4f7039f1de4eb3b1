#include "shell/Form1.h"

#include "canvas/LogoCanvas.h"
#include "canvas/PalettePanel.h"
#include "canvas/Twips.h"
#include "editor/Dialogs.h"
#include "editor/Shortcuts.h"
#include "editor/WindowPlaces.h"
#include "qemu/BootTrial.h"
#include "shell/Artwork.h"
#include "shell/BootPreview.h"
#include "shell/Form3.h"
#include "shell/Hinweis.h"
#include "shell/LinkLabel.h"
#include "shell/PicturePreview.h"
#include "shell/SizingLabel.h"
#include "shell/platform/CommandLine.h"
#include "shell/platform/SettingsStore.h"

#include <QAction>
#include <QCheckBox>
#include <QCloseEvent>
#include <QDragEnterEvent>
#include <QDropEvent>
#include <QImageReader>
#include <QLayout>
#include <QMimeData>
#include <QPainter>
#include <QPushButton>
#include <QScreen>
#include <QStyle>
#include <QTimer>
#include <QToolButton>
#include <map>
#include <string_view>

namespace kalvero {
namespace {

// One local file, written as the file dialog writes the names it returns.
std::optional<QString> FileToLoad(const QMimeData* data) {
    const QList<QUrl> urls = data != nullptr ? data->urls() : QList<QUrl>();
    if (urls.size() != 1 || !urls.front().isLocalFile()) {
        return std::nullopt;
    }
    return urls.front().toLocalFile();
}

} // namespace

Form1::Form1(ShellServices services, QWidget* parent)
    : QMainWindow(parent), services_(std::move(services)), qtTranslation_(services_.qtTranslations),
      ui_(BuildForm1Controls(*this)), session_(services_.dialogs, *this),
      editor_(session_, *ui_.Picture1, *ui_.EpaNameAnzeige, *ui_.Koordinaten, *ui_.Farbauswahl) {
    setObjectName(QStringLiteral("Form1"));
    setWindowTitle(QStringLiteral("Kalvero"));
    layout()->setSizeConstraint(QLayout::SetFixedSize);
    move(Px(4455), Px(4320));
    setAcceptDrops(true);
    keepOptions();
    connectControls();
    Form_Initialize();
    Form_Load();
}

Form1::~Form1() = default;

Hinweis* Form1::readMe() const {
    return hinweis_;
}

Form3* Form1::aboutWindow() const {
    return form3_;
}

BootPreview* Form1::bootPreview() const {
    return bootPreview_;
}

void Form1::Form_Initialize() {
    versionText_ = QStringLiteral("%1.%2a").arg(KALVERO_VERSION_MAJOR).arg(KALVERO_VERSION_MINOR);
    ui_.Label1->showText(QStringLiteral("Version  ") + versionText_);
    // The read-me and about windows are made when first shown, and get the
    // version text at every showing: made here, they would slow every start.
}

void Form1::Form_Load() {
    if (const std::optional<std::string> name =
            CommandLineFileFrom(services_.commandLine.toStdString())) {
        session_.document().namedOnCommandLine(*name);
    }
    ui_.Farbauswahl->colourOptions();
    InitApplication();
}

void Form1::InitApplication() {
    services_.registerFileType([this](const std::string& text) {
        services_.dialogs.message({MessageIcon::None, MessageButtons::Ok, QuestionTitle, text});
    });

    OptionStates current{ui_.Backup->isChecked(), ui_.Deutsch->isChecked(),
                         ui_.SaveCheck->isChecked(), ui_.InversCheck->isChecked()};
    const OptionStates stored = LoadSettings(services_.settings, current);
    ui_.Backup->setChecked(stored.backup);
    if (stored.german) {
        ui_.Deutsch->setChecked(true);
        Deutsch_Click();
    } else {
        ui_.American->setChecked(true);
        American_Click();
    }
    ui_.SaveCheck->setChecked(stored.messages);
    ui_.InversCheck->setChecked(stored.negative);
}

void Form1::connectControls() {
    connect(ui_.LadeEpa_Command, &QPushButton::clicked, this, &Form1::LadeEpa_Command_Click);
    connect(ui_.SichEpa_Command, &QPushButton::clicked, this, &Form1::SichEpa_Command_Click);
    connect(ui_.LadeBmp_Command, &QPushButton::clicked, this, &Form1::LadeBmp_Command_Click);
    connect(ui_.CreateEpa, &QPushButton::clicked, this, &Form1::CreateEpa_Click);
    connect(ui_.EpaToBmp, &QPushButton::clicked, this, &Form1::EpaToBmp_Click);
    connect(ui_.Ende_Command, &QPushButton::clicked, this, &Form1::Ende_Command_Click);
    connect(ui_.Info, &QPushButton::clicked, this, &Form1::Info_Click);
    connect(ui_.Deutsch, &QToolButton::clicked, this, &Form1::Deutsch_Click);
    connect(ui_.American, &QToolButton::clicked, this, &Form1::American_Click);
    connect(ui_.ShowRaster, &QCheckBox::clicked, &editor_, &LogoEditor::ShowRaster_Click);
    connect(ui_.about, &QAction::triggered, this, &Form1::about_Click);
    connect(ui_.lblHyperlink, &LinkLabel::lblHyperlink_Click, this, &Form1::lblHyperlink_Click);
    // Painting is taken back and done again from the keyboard alone: the
    // window has no menu entries or buttons for it.
    auto* undo = new QAction(this);
    connect(undo, &QAction::triggered, &editor_, &LogoEditor::undo);
    auto* redo = new QAction(this);
    connect(redo, &QAction::triggered, &editor_, &LogoEditor::redo);
    bootView_ = new QAction(this);
    connect(bootView_, &QAction::triggered, this, &Form1::showBootView);
    // F7: the image's own BIOS draws its logo in QEMU.
    bootInQemu_ = new QAction(this);
    bootInQemu_->setShortcut(QKeySequence(Qt::Key_F7));
    session_.qemuBooting().setQemuMissing(qemu::QemuMissing());
    connect(bootInQemu_, &QAction::triggered, this, [this] { session_.qemuBooting().boot(); });
    ui_.FullScreenLogo = new QAction(this);
    ui_.FullScreenLogo->setCheckable(true);
    connect(ui_.FullScreenLogo, &QAction::triggered, this, &Form1::switchImageLogo);
    // The keys desktop programs use for these commands; each button's works
    // only as long as the button does.
    std::map<std::string_view, QAction*> actions = {{"undo", undo},
                                                    {"redo", redo},
                                                    {"bootView", bootView_},
                                                    {"switchLogo", ui_.FullScreenLogo}};
    const std::pair<std::string_view, QPushButton*> buttons[] = {{"open", ui_.LadeEpa_Command},
                                                                 {"save", ui_.SichEpa_Command},
                                                                 {"exit", ui_.Ende_Command},
                                                                 {"info", ui_.Info}};
    for (const auto& [name, button] : buttons) {
        auto* action = new QAction(this);
        connect(action, &QAction::triggered, button, &QPushButton::click);
        addAction(action);
        actions[name] = action;
    }
    for (const Shortcut& shortcut : Shortcuts) {
        QAction* action = actions.at(shortcut.action); // an unknown name stops the start
        action->setShortcuts(action->shortcuts() << QKeySequence(QString::fromLatin1(
                                 shortcut.keys.data(), qsizetype(shortcut.keys.size()))));
    }
    showControls(session_.controls());
    addActions({undo, redo, bootView_, ui_.FullScreenLogo, bootInQemu_});
    ui_.Picture1->addActions({bootView_, ui_.FullScreenLogo, bootInQemu_});
    ui_.Picture1->setContextMenuPolicy(Qt::ActionsContextMenu);
    // The command buttons take the focus as soon as the mouse moves over them.
    for (QPushButton* button : {ui_.EpaToBmp, ui_.CreateEpa, ui_.Ende_Command, ui_.Info,
                                ui_.LadeBmp_Command, ui_.LadeEpa_Command, ui_.SichEpa_Command}) {
        button->setMouseTracking(true);
        button->installEventFilter(this);
        // Enter presses the focused button, as the space bar does.
        button->setAutoDefault(true);
    }
}

bool Form1::eventFilter(QObject* watched, QEvent* event) {
    if (event->type() == QEvent::MouseMove) {
        static_cast<QWidget*>(watched)->setFocus(Qt::MouseFocusReason);
    }
    return QMainWindow::eventFilter(watched, event);
}

void Form1::applyLanguage(Language language) {
    bootView_->setText(QString::fromStdString(BootViewCaption(language)));
    ui_.FullScreenLogo->setText(QString::fromStdString(FullScreenLogoCaption(language)));
    bootInQemu_->setText(QString::fromStdString(session_.qemuBooting().caption(language)));
    // Without Qt's translation its buttons and dialogs stay English.
    static_cast<void>(qtTranslation_.use(language));
    for (const ControlText& caption : LanguageCaptions()) {
        if (auto* control = findChild<QAbstractButton*>(QLatin1String(caption.control))) {
            control->setText(QString::fromStdString(ControlTextFor(caption, language)));
        }
    }
    for (const ControlText& tip : LanguageToolTips()) {
        if (auto* control = findChild<QWidget*>(QLatin1String(tip.control))) {
            control->setToolTip(QString::fromStdString(ControlTextFor(tip, language)));
        }
    }
}

void Form1::Deutsch_Click() {
    applyLanguage(Language::German);
}

void Form1::American_Click() {
    applyLanguage(Language::English);
}

void Form1::keepOptions() {
    EditorControls& controls = session_.controls();
    for (auto [box, option] : {std::pair{ui_.Backup, &EditorControls::backup},
                               std::pair{ui_.SaveCheck, &EditorControls::messages},
                               std::pair{ui_.InversCheck, &EditorControls::negative}}) {
        controls.*option = box->isChecked();
        connect(box, &QCheckBox::toggled, this,
                [&controls, option = option](bool on) { controls.*option = on; });
    }
    controls.german = ui_.Deutsch->isChecked();
    connect(ui_.Deutsch, &QToolButton::toggled, this,
            [&controls](bool on) { controls.german = on; });
}

void Form1::showControls(const EditorControls& controls) {
    ui_.SichEpa_Command->setEnabled(controls.saveEnabled);
    ui_.EpaToBmp->setEnabled(controls.exportEnabled);
    ui_.CreateEpa->setEnabled(controls.createEnabled);
    ui_.InversCheck->setEnabled(controls.negativeEnabled);
    ui_.EpaNameAnzeige->showText(QString::fromStdString(controls.epaName));
    ui_.BmpNameAnzeige->showText(QString::fromStdString(controls.bmpName));
    // The full-screen logo's entry: there while the open image has one,
    // checked while it is shown, usable where there is a boot logo to switch to.
    const LogoDocument& document = session_.document();
    ui_.FullScreenLogo->setVisible(!document.ImageFullScreen().empty());
    ui_.FullScreenLogo->setEnabled(document.canSwitchLogo());
    ui_.FullScreenLogo->setChecked(document.showsFullScreen());
    // Boot in QEMU: usable while an image is open, or a new one was written.
    bootInQemu_->setEnabled(!session_.qemuBooting().target().empty());
}

void Form1::clearCanvas() {
    ui_.Picture1->clear();
}

void Form1::redrawCanvas() {
    editor_.RedrawCanvas();
}

bool Form1::showBitmap(const std::string& path) {
    if (!ui_.ShowBmp_image->showFile(QString::fromStdString(path))) {
        return false;
    }
    ui_.BmpNameAnzeige->move(ui_.BmpNameAnzeige->x(),
                             ui_.ShowBmp_image->y() + ui_.ShowBmp_image->height() + NameGapPixels);
    return true;
}

void Form1::removeBitmap() {
    ui_.ShowBmp_image->removePicture();
}

std::optional<RgbImage> Form1::decodePicture(const std::string& path) {
    QImageReader reader(QString::fromStdString(path));
    reader.setAutoTransform(true);
    const QImage read = reader.read();
    if (read.isNull()) {
        return std::nullopt;
    }
    // Transparent parts over black, as kalvero-cli import lays a picture.
    QImage picture(read.size(), QImage::Format_RGB888);
    picture.fill(Qt::black);
    QPainter(&picture).drawImage(0, 0, read);
    RgbImage pixels{picture.width(), picture.height(), {}};
    for (int y = 0; y < picture.height(); ++y) {
        const auto* row = reinterpret_cast<const Rgb*>(picture.constScanLine(y));
        pixels.pixels.insert(pixels.pixels.end(), row, row + picture.width());
    }
    return pixels;
}

void Form1::LadeEpa_Command_Click() {
    session_.LadeEpa_Command_Click();
}

void Form1::SichEpa_Command_Click() {
    session_.SichEpa_Command_Click();
}

void Form1::LadeBmp_Command_Click() {
    session_.LadeBmp_Command_Click();
}

void Form1::CreateEpa_Click() {
    session_.CreateEpa_Click();
}

void Form1::EpaToBmp_Click() {
    session_.EpaToBmp_Click();
}

void Form1::Form_Activate() {
    session_.openCommandLineFile();
}

void Form1::showEvent(QShowEvent* event) {
    QMainWindow::showEvent(event);
    if (placed_) {
        return;
    }
    placed_ = true;
    // Set once the window is on the screen: drawing it is no part of the start.
    QTimer::singleShot(0, this, [this] {
        setWindowIcon(ArtworkIcon(QStringLiteral("icons/kalvero"), QSize(64, 64)));
    });
    // The design's place, moved as far as needed to show the whole window
    // (with room for a title bar the window manager has not added yet).
    const QRect area = screen()->availableGeometry();
    const int title =
        frameGeometry().height() > height() ? 0 : style()->pixelMetric(QStyle::PM_TitleBarHeight);
    const QSize outer = frameGeometry().size() + QSize(0, title);
    const QPoint place(
        std::clamp(x(), area.left(), std::max(area.left(), area.right() + 1 - outer.width())),
        std::clamp(y(), area.top(), std::max(area.top(), area.bottom() + 1 - outer.height())));
    move(place);
}

void Form1::changeEvent(QEvent* event) {
    QMainWindow::changeEvent(event);
    if (event->type() == QEvent::ActivationChange && isActiveWindow()) {
        // Opened after the activation has been handled, so a notice about the
        // file does not pop up in the middle of it.
        QTimer::singleShot(0, this, &Form1::Form_Activate);
    }
}

void Form1::dragEnterEvent(QDragEnterEvent* event) {
    if (FileToLoad(event->mimeData())) {
        event->acceptProposedAction();
    }
}

void Form1::dropEvent(QDropEvent* event) {
    const std::optional<QString> file = FileToLoad(event->mimeData());
    if (!file) {
        return;
    }
    event->acceptProposedAction();
    // The boot view showed the logo this file may replace.
    if (bootPreview_ != nullptr) {
        bootPreview_->close();
    }
    // Loaded once the drop is over, so that the program the file came from is
    // not held while the questions and notices wait for the user.
    QTimer::singleShot(0, this,
                       [this, path = file->toStdString()] { session_.loadDroppedFile(path); });
}

void Form1::switchImageLogo() {
    session_.switchImageLogo();
}

void Form1::showBootView() {
    const std::optional<RgbImage> screen = session_.bootView();
    if (!screen) {
        return;
    }
    const RgbImage& picture = *screen;
    const QImage image(reinterpret_cast<const uchar*>(picture.pixels.data()), picture.width,
                       picture.height, picture.width * 3, QImage::Format_RGB888);
    if (bootPreview_ != nullptr) {
        bootPreview_->close();
    }
    bootPreview_ = new BootPreview(image.copy(), windowTitle(), this);
    bootPreview_->show();
    bootPreview_->activateWindow();
}

void Form1::createReadMe() {
    hinweis_ = new Hinweis(this);
    connect(hinweis_, &Hinweis::closed, this, [this] { ui_.Info->setEnabled(true); });
}

void Form1::createAbout() {
    form3_ = new Form3(this);
}

void Form1::Info_Click() {
    if (hinweis_.isNull()) {
        createReadMe();
    }
    hinweis_->setVersionText(ui_.Label1->text());
    hinweis_->setLanguage(session_.language());
    hinweis_->show();
    hinweis_->okButton()->setFocus();
    ui_.Info->setEnabled(false);
}

void Form1::about_Click() {
    if (form3_.isNull()) {
        createAbout();
    }
    form3_->setVersionText(ui_.Label1->text());
    form3_->show();
    form3_->raise();
    form3_->activateWindow();
}

void Form1::lblHyperlink_Click() {
    services_.dialogs.openUrl(ui_.lblHyperlink->text().toStdString());
}

bool Form1::runExitRoutine() {
    if (!session_.mayExit()) {
        return false;
    }
    exiting_ = true;
    SaveSettings(services_.settings,
                 OptionStates{ui_.Backup->isChecked(), ui_.Deutsch->isChecked(),
                              ui_.SaveCheck->isChecked(), ui_.InversCheck->isChecked()});
    for (QWidget* window : {static_cast<QWidget*>(hinweis_), static_cast<QWidget*>(form3_)}) {
        if (window != nullptr) {
            window->close();
        }
    }
    return true;
}

void Form1::Ende_Command_Click() {
    if (!exiting_ && runExitRoutine()) {
        close();
    }
}

void Form1::closeEvent(QCloseEvent* event) {
    if (exiting_ || runExitRoutine()) {
        event->accept();
    } else {
        event->ignore();
    }
}

} // namespace kalvero
