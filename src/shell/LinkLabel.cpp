#include "shell/LinkLabel.h"

#include <QFontMetrics>
#include <QMouseEvent>

namespace kalvero {

LinkLabel::LinkLabel(const QFont& measuringFont, const QCursor& hand, QWidget* parent)
    : QLabel(parent), measuringFont_(measuringFont), hand_(hand) {
    setMouseTracking(true);
}

void LinkLabel::lblHyperlink_MouseMove(double y) {
    // The text is measured in the window's font, not the label's bold one: the
    // band is a little wider than the letters.
    const double textHeight = QFontMetrics(measuringFont_).height();
    const double band = (height() - textHeight) / 2;
    LinkHover = band < y && y < height() - band;
    if (LinkHover) {
        setCursor(hand_);
    } else {
        unsetCursor();
    }
}

void LinkLabel::mouseMoveEvent(QMouseEvent* event) {
    lblHyperlink_MouseMove(event->position().y());
    QLabel::mouseMoveEvent(event);
}

void LinkLabel::mouseReleaseEvent(QMouseEvent* event) {
    QLabel::mouseReleaseEvent(event);
    if (event->button() == Qt::LeftButton && rect().contains(event->position().toPoint()) &&
        LinkHover) {
        emit lblHyperlink_Click();
    }
}

} // namespace kalvero
