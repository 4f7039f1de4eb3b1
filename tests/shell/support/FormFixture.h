#pragma once

#include "canvas/ColourButton.h"
#include "canvas/LogoCanvas.h"
#include "canvas/PalettePanel.h"
#include "editor/support/SessionFixture.h"
#include "shell/Form1.h"
#include "shell/PicturePreview.h"
#include "shell/SizingLabel.h"
#include "shell/platform/FileRegistry.h"

#include <QCheckBox>
#include <QEvent>
#include <QPointF>
#include <QPushButton>
#include <QToolButton>
#include <memory>

// Texts in failure messages as text, not as a list of characters.
inline void PrintTo(const QString& text, std::ostream* out) {
    *out << '"' << text.toStdString() << '"';
}

namespace kalvero::test {

// The controls the tests reach through ui() are all declared here.

// A main window as the program builds it, with scripted dialogs, the settings
// in a temporary file and no file-type registration, in a temporary folder
// for the files a test makes.
class FormFixture : public ::testing::Test, public EditorFiles {
protected:
    void SetUp() override;
    void TearDown() override;

    // Builds the window anew, as a start with this command line would.
    void start(const QString& commandLine = QString());

    Form1& form() { return *form_; }
    const Form1Controls& ui() const { return form_->controls(); }
    LogoDocument& document() { return form_->document(); }

    // Messages and Backup off: no save-first questions, no backup copies.
    void quiet() const {
        ui().SaveCheck->setChecked(false);
        ui().Backup->setChecked(false);
    }

    // The canvas colour at a pixel of its drawing area.
    QRgb canvasPixel(int x, int y) const;
    // Mouse events on the canvas, at drawing-area coordinates; buttons as the
    // mask the handlers see (1 left, 2 right, 4 middle).
    void pressOnCanvas(QPointF at, int buttons) const {
        sendToCanvas(QEvent::MouseButtonPress, at, buttons & -buttons, buttons);
    }
    void moveOnCanvas(QPointF at, int buttons) const {
        sendToCanvas(QEvent::MouseMove, at, 0, buttons);
    }
    void releaseOnCanvas(QPointF at) const { sendToCanvas(QEvent::MouseButtonRelease, at, 1, 0); }

    ScriptedDialogs dialogs;
    std::unique_ptr<FileRegistry> settings;
    int registrations = 0;
    // Failures the file-type registration reports at the next start.
    std::vector<std::string> registrationErrors;
    // Where the next start looks for Qt's own translations.
    QStringList qtTranslations = QtTranslation::StandardFolders();

private:
    void sendToCanvas(QEvent::Type type, QPointF at, int button, int buttons) const;
    std::unique_ptr<Form1> form_;
};

} // namespace kalvero::test
