#include "shell/Form1.h"

#include "canvas/LogoCanvas.h"
#include "canvas/PalettePanel.h"
#include "canvas/Twips.h"
#include "conversion/BootView.h"
#include "document/CommandLine.h"
#include "document/EpaFormat.h"
#include "shell/Artwork.h"
#include "shell/BootPreview.h"
#include "shell/Dialogs.h"
#include "shell/Form3.h"
#include "shell/Hinweis.h"
#include "shell/LinkLabel.h"
#include "shell/SizingLabel.h"
#include "shell/platform/SettingsStore.h"

#include <QAction>
#include <QCheckBox>
#include <QCloseEvent>
#include <QDragEnterEvent>
#include <QDropEvent>
#include <QFileInfo>
#include <QLayout>
#include <QMimeData>
#include <QPushButton>
#include <QScreen>
#include <QStyle>
#include <QTimer>
#include <QToolButton>

namespace kalvero {
namespace {

enum class DroppedKind { Logo, Bitmap };

struct DroppedFile {
    QString path;
    DroppedKind kind;
};

// One local file: a bitmap by its extension, anything else for Load EPA,
// which tells a logo from a BIOS image by the file's content.
std::optional<DroppedFile> FileToLoad(const QMimeData* data) {
    const QList<QUrl> urls = data != nullptr ? data->urls() : QList<QUrl>();
    if (urls.size() != 1 || !urls.front().isLocalFile()) {
        return std::nullopt;
    }
    // Written as the file dialog writes the names it returns.
    const QString path = urls.front().toLocalFile();
    const bool bitmap =
        QFileInfo(path).suffix().compare(QLatin1String("bmp"), Qt::CaseInsensitive) == 0;
    return DroppedFile{path, bitmap ? DroppedKind::Bitmap : DroppedKind::Logo};
}

} // namespace

Form1::Form1(ShellServices services, QWidget* parent)
    : QMainWindow(parent), services_(std::move(services)), qtTranslation_(services_.qtTranslations),
      ui_(BuildForm1Controls(*this)),
      editor_(document_, *ui_.Picture1, *ui_.EpaNameAnzeige, *ui_.Koordinaten, *ui_.Farbauswahl),
      context_(document_, ui_, editor_, services_.dialogs), saving_(context_),
      opening_(context_, saving_), bmpLoading_(context_, saving_), creation_(context_, saving_),
      exporting_(context_) {
    setObjectName(QStringLiteral("Form1"));
    setWindowTitle(QStringLiteral("Kalvero"));
    layout()->setSizeConstraint(QLayout::SetFixedSize);
    move(Px(4455), Px(4320));
    setAcceptDrops(true);
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
        document_.namedOnCommandLine(*name);
    }
    ui_.Farbauswahl->colourOptions();
    InitApplication();
}

void Form1::InitApplication() {
    services_.registerFileType([this](const std::string& text) {
        services_.dialogs.message({MessageIcon::None, MessageButtons::Ok, QString(QuestionTitle),
                                   QString::fromStdString(text)});
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

    // The logo document starts empty, as it was made: tall, nothing pending.
    editor_.GridHidden = false;
    editor_.GridOffset = 0;
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
    // The keys desktop programs use for these commands; each works only as
    // long as its button does.
    const std::pair<QKeyCombination, QPushButton*> keys[] = {
        {Qt::CTRL | Qt::Key_O, ui_.LadeEpa_Command},
        {Qt::CTRL | Qt::Key_S, ui_.SichEpa_Command},
        {Qt::CTRL | Qt::Key_Q, ui_.Ende_Command},
        {QKeyCombination(Qt::Key_F1), ui_.Info}};
    for (const auto& [key, button] : keys) {
        auto* action = new QAction(this);
        action->setShortcut(QKeySequence(key));
        connect(action, &QAction::triggered, button, &QPushButton::click);
        addAction(action);
    }
    // Painting is taken back and done again from the keyboard alone: the
    // window has no menu entries or buttons for it.
    auto* undo = new QAction(this);
    undo->setShortcut(QKeySequence(Qt::CTRL | Qt::Key_Z));
    connect(undo, &QAction::triggered, &editor_, &LogoEditor::undo);
    auto* redo = new QAction(this);
    redo->setShortcuts(
        {QKeySequence(Qt::CTRL | Qt::SHIFT | Qt::Key_Z), QKeySequence(Qt::CTRL | Qt::Key_Y)});
    connect(redo, &QAction::triggered, &editor_, &LogoEditor::redo);
    bootView_ = new QAction(this);
    bootView_->setShortcut(QKeySequence(Qt::Key_F5));
    connect(bootView_, &QAction::triggered, this, &Form1::showBootView);
    ui_.FullScreenLogo = new QAction(this);
    ui_.FullScreenLogo->setShortcut(QKeySequence(Qt::Key_F6));
    ui_.FullScreenLogo->setCheckable(true);
    connect(ui_.FullScreenLogo, &QAction::triggered, this, &Form1::switchImageLogo);
    context_.showLogoSwitch();
    addActions({undo, redo, bootView_, ui_.FullScreenLogo});
    // Painting after a save makes Save EPA usable again.
    connect(&editor_, &LogoEditor::painted, ui_.SichEpa_Command,
            [this] { ui_.SichEpa_Command->setEnabled(true); });
    ui_.Picture1->addActions({bootView_, ui_.FullScreenLogo});
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

void Form1::LadeEpa_Command_Click() {
    opening_.LadeEpa_Command_Click();
}

void Form1::SichEpa_Command_Click() {
    saving_.SichEpa_Command_Click();
}

void Form1::LadeBmp_Command_Click() {
    bmpLoading_.LadeBmp_Command_Click();
}

void Form1::CreateEpa_Click() {
    creation_.CreateEpa_Click();
}

void Form1::EpaToBmp_Click() {
    exporting_.EpaToBmp_Click();
}

void Form1::Form_Activate() {
    opening_.OpenCommandLineFile();
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
    const std::optional<DroppedFile> file = FileToLoad(event->mimeData());
    if (!file) {
        return;
    }
    event->acceptProposedAction();
    // Loaded once the drop is over, so that the program the file came from is
    // not held while the questions and notices wait for the user.
    QTimer::singleShot(0, this, [this, file = *file] {
        if (file.kind == DroppedKind::Logo) {
            opening_.LoadEpaFile(file.path.toStdString());
        } else {
            bmpLoading_.LoadBmpFile(file.path.toStdString());
        }
    });
}

void Form1::switchImageLogo() {
    if (document_.canSwitchLogo()) {
        // A bitmap loaded for one logo is not made into the other.
        if (ui_.CreateEpa->isEnabled()) {
            bmpLoading_.dropBitmap();
            context_.showBmpName({});
        }
        document_.showedFullScreen(!document_.showsFullScreen());
        editor_.RedrawCanvas();
    }
    context_.showLogoSwitch();
}

void Form1::showBootView() {
    std::vector<std::uint8_t> epa;
    if (document_.showsFullScreen()) {
        epa = document_.ImageFullScreen();
    } else if (document_.showsImageEpa2()) {
        epa = document_.ImageEpa2();
    } else if (document_.hasLogo()) {
        LogoDocument logo = document_; // the file a save would write
        epa = WriteEpa(logo);
    } else {
        return;
    }
    const FileKind kind =
        ClassifyFile(epa.size(), std::span(epa).first(std::min(epa.size(), FileHeadLength)));
    const FileResult<RgbImage> screen = RenderBootView(kind, epa, 1, true);
    if (!screen) {
        return;
    }
    const RgbImage& picture = screen.value();
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
    hinweis_->setLanguage(context_.language());
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
    services_.dialogs.openUrl(ui_.lblHyperlink->text());
}

bool Form1::runExitRoutine() {
    if (ui_.SaveCheck->isChecked() && ui_.SichEpa_Command->isEnabled()) {
        // Cancel, or a save that did not happen, keeps the program running.
        const std::string name = document_.NameToSave();
        const int answer = context_.askSaveFirst(name, true);
        if (answer == AnswerCancel || (answer == AnswerYes && !saving_.save(name))) {
            return false;
        }
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
