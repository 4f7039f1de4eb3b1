#include "shell/PictureButton.h"

#include "shell/Artwork.h"

#include <QStyleOptionButton>
#include <QStyleOptionFocusRect>
#include <QStylePainter>
#include <algorithm>

namespace kalvero {
namespace {

// Between the picture and the caption.
constexpr int BesideGap = 4;
constexpr int AboveGap = 1;

} // namespace

PictureButton::PictureButton(const QString& picture, const QSize& pictureSize, Layout layout,
                             QWidget* parent)
    : QPushButton(parent), layout_(layout) {
    setIcon(ArtworkIcon(picture, pictureSize));
    setIconSize(pictureSize);
}

QRect PictureButton::contents() const {
    QStyleOptionButton option;
    initStyleOption(&option);
    return style()->subElementRect(QStyle::SE_PushButtonContents, &option, this);
}

QSize PictureButton::captionSize() const {
    return fontMetrics().size(Qt::TextShowMnemonic, text());
}

QRect PictureButton::pictureRect() const {
    const QRect room = contents();
    const QSize picture = iconSize();
    if (layout_ == Layout::Above) {
        const int height = picture.height() + AboveGap + captionSize().height();
        return {QPoint(room.left() + (room.width() - picture.width()) / 2,
                       room.top() + (room.height() - height) / 2),
                picture};
    }
    // Picture and caption centred together; where they do not fit, the
    // picture stands at the left and the caption has the rest.
    const int width = picture.width() + BesideGap + captionSize().width();
    const int left = room.left() + std::max(0, (room.width() - width) / 2);
    return {QPoint(left, room.top() + (room.height() - picture.height()) / 2), picture};
}

QRect PictureButton::captionRect() const {
    const QRect room = contents();
    const QRect picture = pictureRect();
    if (layout_ == Layout::Above) {
        return {room.left(), picture.bottom() + 1 + AboveGap, room.width(), captionSize().height()};
    }
    const int left = picture.right() + 1 + BesideGap;
    return {left, room.top(), room.right() + 1 - left, room.height()};
}

void PictureButton::paintEvent(QPaintEvent*) {
    QStylePainter painter(this);
    QStyleOptionButton option;
    initStyleOption(&option);
    painter.drawControl(QStyle::CE_PushButtonBevel, option);

    QPoint shift;
    if (isDown()) {
        shift = {style()->pixelMetric(QStyle::PM_ButtonShiftHorizontal, &option, this),
                 style()->pixelMetric(QStyle::PM_ButtonShiftVertical, &option, this)};
    }
    const QRect picture = pictureRect().translated(shift);
    painter.drawPixmap(picture.topLeft(),
                       icon().pixmap(iconSize(), devicePixelRatio(),
                                     isEnabled() ? QIcon::Normal : QIcon::Disabled));
    const int alignment = (layout_ == Layout::Above ? Qt::AlignHCenter : Qt::AlignLeft) |
                          Qt::AlignVCenter | Qt::TextShowMnemonic;
    const bool underline = style()->styleHint(QStyle::SH_UnderlineShortcut, &option, this) != 0;
    painter.drawItemText(captionRect().translated(shift),
                         alignment | (underline ? 0 : Qt::TextHideMnemonic), palette(), isEnabled(),
                         text(), QPalette::ButtonText);

    if (hasFocus()) {
        QStyleOptionFocusRect focus;
        focus.initFrom(this);
        focus.rect = style()->subElementRect(QStyle::SE_PushButtonFocusRect, &option, this);
        painter.drawPrimitive(QStyle::PE_FrameFocusRect, focus);
    }
}

} // namespace kalvero
