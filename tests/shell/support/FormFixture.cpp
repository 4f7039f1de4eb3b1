#include "shell/support/FormFixture.h"

#include <QApplication>
#include <QMouseEvent>

namespace kalvero::test {

void FormFixture::SetUp() {
    settings = std::make_unique<FileRegistry>(dir.file("settings/settings"));
    start();
}

void FormFixture::TearDown() {
    form_.reset();
}

void FormFixture::start(const QString& commandLine) {
    form_.reset();
    const auto registerFileType = [this](const ShowRegistrationError& showError) {
        ++registrations;
        for (const std::string& error : registrationErrors) {
            showError(error);
        }
    };
    form_ = std::make_unique<Form1>(
        ShellServices{dialogs, *settings, registerFileType, commandLine, qtTranslations});
}

QRgb FormFixture::canvasPixel(int x, int y) const {
    return ui().Picture1->image().pixel(x, y) & 0xFFFFFF;
}

void FormFixture::sendToCanvas(QEvent::Type type, QPointF at, int button, int buttons) const {
    const QPointF local = at + QPointF(ui().Picture1->contentsRect().topLeft());
    QMouseEvent event(type, local, ui().Picture1->mapToGlobal(local),
                      static_cast<Qt::MouseButton>(button), // the masks are Qt's own values
                      Qt::MouseButtons::fromInt(buttons), Qt::NoModifier);
    QApplication::sendEvent(ui().Picture1, &event);
}

} // namespace kalvero::test
