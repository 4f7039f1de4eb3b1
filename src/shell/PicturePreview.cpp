#include "shell/PicturePreview.h"

#include <QPixmap>

namespace kalvero {

PicturePreview::PicturePreview(QWidget* parent) : QLabel(parent) {
    setFrameStyle(QFrame::Panel | QFrame::Sunken);
    setLineWidth(2);
    setAlignment(Qt::AlignLeft | Qt::AlignTop);
}

void PicturePreview::showPicture(const QPixmap& picture) {
    setPixmap(picture);
    const int border = 2 * frameWidth();
    resize(picture.width() + border, picture.height() + border);
}

bool PicturePreview::showFile(const QString& path) {
    QPixmap picture;
    if (!picture.load(path)) {
        return false;
    }
    showPicture(picture);
    return true;
}

void PicturePreview::removePicture() {
    clear();
}

bool PicturePreview::hasPicture() const {
    return !pixmap().isNull();
}

} // namespace kalvero
