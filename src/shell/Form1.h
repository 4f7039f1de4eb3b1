#pragma once

#include "canvas/LogoEditor.h"
#include "editor/LanguageTexts.h"
#include "editor/EditorSession.h"
#include "editor/EditorView.h"
#include "shell/Form1Controls.h"
#include "shell/QtTranslation.h"
#include "shell/ShellServices.h"

#include <QMainWindow>
#include <QPointer>

namespace kalvero {

class BootPreview;
class Form3;
class Hinweis;

// The main window: the editor's session drawn with Qt's controls. It owns
// them, routes the user's actions to the session and runs the start-up and
// the exit.
class Form1 final : public QMainWindow, private EditorView {
    Q_OBJECT

public:
    explicit Form1(ShellServices services, QWidget* parent = nullptr);
    ~Form1() override;

    void LadeEpa_Command_Click();
    void SichEpa_Command_Click();
    void LadeBmp_Command_Click();
    void CreateEpa_Click();
    void EpaToBmp_Click();
    void Ende_Command_Click();
    void Deutsch_Click();
    void American_Click();
    void Info_Click();
    void about_Click();
    void lblHyperlink_Click();
    void Form_Activate();
    // F5 and the canvas's context menu: the logo on the canvas as the PC
    // shows it at power-on, in a window of its own.
    void showBootView();
    // F6 and the canvas's context menu: the open image's full-screen logo in
    // place of its boot logo on the canvas, and back.
    void switchImageLogo();

    LogoDocument& document() { return session_.document(); }
    EditorSession& session() { return session_; }
    const Form1Controls& controls() const { return ui_; }
    LogoEditor& editor() { return editor_; }
    // The read-me and about windows while they exist.
    Hinweis* readMe() const;
    Form3* aboutWindow() const;
    BootPreview* bootPreview() const;
    const QString& VersionText() const { return versionText_; }

protected:
    void changeEvent(QEvent* event) override;
    void showEvent(QShowEvent* event) override;
    void closeEvent(QCloseEvent* event) override;
    // A file dropped on the window is loaded as Load EPA or Load BMP would
    // load it when picked in the dialog.
    void dragEnterEvent(QDragEnterEvent* event) override;
    void dropEvent(QDropEvent* event) override;
    bool eventFilter(QObject* watched, QEvent* event) override;

private:
    void Form_Initialize();
    void Form_Load();
    void InitApplication();
    void connectControls();
    void applyLanguage(Language language);
    // The exit routine; false when the user chose to go on instead.
    bool runExitRoutine();
    void createReadMe();
    void createAbout();
    void showControls(const EditorControls& controls) override;
    void clearCanvas() override;
    void redrawCanvas() override;
    bool showBitmap(const std::string& path) override;
    void removeBitmap() override;
    std::optional<RgbImage> decodePicture(const std::string& path) override;
    // The session's options follow the window's boxes and flags.
    void keepOptions();

    ShellServices services_;
    QtTranslation qtTranslation_;
    Form1Controls ui_;
    EditorSession session_;
    LogoEditor editor_;
    QPointer<Hinweis> hinweis_;
    QPointer<Form3> form3_;
    QPointer<BootPreview> bootPreview_;
    QAction* bootView_ = nullptr;
    QAction* bootInQemu_ = nullptr;
    QString versionText_;
    bool exiting_ = false;
    bool placed_ = false;
};

} // namespace kalvero
