#include "shell/support/FormFixture.h"

#include "conversion/BmpWriter.h"

#include <QApplication>
#include <QMouseEvent>
#include <vector>

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
    form_ = std::make_unique<Form1>(ShellServices{dialogs, *settings,
                                                  [this](const ShowRegistrationError& showError) {
                                                      ++registrations;
                                                      for (const std::string& error :
                                                           registrationErrors) {
                                                          showError(error);
                                                      }
                                                  },
                                                  commandLine, qtTranslations});
}

void FormFixture::makeBitmapLogo(const std::string& bitmap, bool tall) {
    document().choseBitmap(bitmap);
    document().loadedMonoBitmap({}, tall);
    document().madeFromBitmap();
    document().InitFromTemplate();
    form().session().controls().saveEnabled = true;
    form().session().context().showControls();
}

QString FormFixture::writeLogo(const std::string& name, bool tall, std::uint8_t attribute,
                               std::uint8_t glyphBits) const {
    const LogoLayout size = LayoutFor(tall);
    std::vector<std::uint8_t> bytes(static_cast<std::size_t>(size.fileLength), 0);
    bytes[0] = 17;
    bytes[1] = static_cast<std::uint8_t>(size.cellRows);
    std::fill_n(bytes.begin() + 2, size.cellCount, attribute);
    std::fill(bytes.begin() + size.glyphOffset, bytes.begin() + size.trailerOffset, glyphBits);
    WriteBytes(dir.file(name), bytes);
    return path(name);
}

QString FormFixture::writeMonoBitmap(const std::string& name, bool tall, int x, int y) const {
    const int height = tall ? 126 : 84;
    std::vector<std::uint8_t> rows(static_cast<std::size_t>(17 * height), 0);
    if (x >= 0) {
        rows[static_cast<std::size_t>(y * 17 + x / 8)] = static_cast<std::uint8_t>(0x80 >> (x % 8));
    }
    WriteBytes(dir.file(name), MonoBmpFile(rows, height));
    return path(name);
}

QString FormFixture::writeColourBitmap(const std::string& name, bool tall, int index) const {
    const int height = tall ? 126 : 84;
    std::vector<std::uint8_t> indices(static_cast<std::size_t>(136 * height),
                                      static_cast<std::uint8_t>(index));
    std::vector<std::uint8_t> palette(64, 0);
    for (int entry = 0; entry < 16; ++entry) {
        palette[static_cast<std::size_t>(4 * entry + 2)] = static_cast<std::uint8_t>(entry * 16);
    }
    WriteBytes(dir.file(name), ColourBmpFile(indices, 136, height, palette));
    return path(name);
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
