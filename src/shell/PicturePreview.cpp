#include "shell/PicturePreview.h"

#include "document/LogoGeometry.h"

#include <QPixmap>

namespace kalvero {

PicturePreview::PicturePreview(QWidget* parent) : QLabel(parent) {
    setFrameStyle(QFrame::Panel | QFrame::Sunken);
    setLineWidth(2);
    setAlignment(Qt::AlignLeft | Qt::AlignTop);
}

void PicturePreview::showPicture(const QPixmap& picture) {
    setPixmap(picture);
    // In the window's pixels: drawn for a scale factor of 2, a picture has
    // twice as many of its own.
    const QSize size = picture.deviceIndependentSize().toSize();
    const int border = 2 * frameWidth();
    resize(size.width() + border, size.height() + border);
}

bool PicturePreview::showFile(const QString& path) {
    QPixmap picture;
    if (!picture.load(path)) {
        return false;
    }
    // A full-screen logo's bitmap is shown as wide as a logo's.
    showPicture(picture.width() > LogoWidth
                    ? picture.scaledToWidth(LogoWidth, Qt::SmoothTransformation)
                    : picture);
    return true;
}

void PicturePreview::removePicture() {
    clear();
}

bool PicturePreview::hasPicture() const {
    return !pixmap().isNull();
}

} // namespace kalvero
