#include "shell/SizingLabel.h"

namespace kalvero {

SizingLabel::SizingLabel(Anchor anchor, QWidget* parent) : QLabel(parent), anchor_(anchor) {}

void SizingLabel::showText(const QString& text) {
    const int centre = geometry().center().x();
    setText(text);
    const QSize size = sizeHint();
    const int left = anchor_ == Anchor::Centre ? centre - size.width() / 2 : x();
    setGeometry(left, y(), size.width(), size.height());
}

} // namespace kalvero
