#pragma once

#include <QPushButton>

namespace kalvero {

// A command button with a picture and a caption, laid out by itself so that
// the caption always has the room the button can give: beside the picture
// on the tall buttons, below it on the small ones, whose pictures are drawn
// at their own size.
class PictureButton final : public QPushButton {
    Q_OBJECT

public:
    enum class Layout { Beside, Above };

    PictureButton(const QString& picture, const QSize& pictureSize, Layout layout,
                  QWidget* parent = nullptr);

    // Where the picture and the caption are drawn, inside the button's frame.
    QRect pictureRect() const;
    QRect captionRect() const;

protected:
    void paintEvent(QPaintEvent* event) override;

private:
    // The room inside the button's frame.
    QRect contents() const;
    QSize captionSize() const;

    Layout layout_;
};

} // namespace kalvero
