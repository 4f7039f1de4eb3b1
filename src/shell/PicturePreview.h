#pragma once

#include <QLabel>

namespace kalvero {

// The bitmap preview: an image with a border that takes the size of the
// picture it shows.
class PicturePreview final : public QLabel {
    Q_OBJECT

public:
    explicit PicturePreview(QWidget* parent = nullptr);

    void showPicture(const QPixmap& picture);
    // Loads and shows a picture file; false when it cannot be shown.
    bool showFile(const QString& path);
    void removePicture();
    bool hasPicture() const;
};

} // namespace kalvero
