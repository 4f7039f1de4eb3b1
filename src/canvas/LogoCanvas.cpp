#include "canvas/LogoCanvas.h"

#include <QKeyEvent>
#include <QMouseEvent>
#include <QPainter>
#include <QtMath>

namespace kalvero {
namespace {

int ButtonMask(Qt::MouseButtons buttons) {
    return (buttons & Qt::LeftButton ? 1 : 0) | (buttons & Qt::RightButton ? 2 : 0) |
           (buttons & Qt::MiddleButton ? 4 : 0);
}

} // namespace

LogoCanvas::LogoCanvas(QWidget* parent) : QFrame(parent), background_(224, 224, 224) {
    setFrameStyle(QFrame::Panel | QFrame::Sunken);
    setLineWidth(2);
    setMouseTracking(true);
    setAttribute(Qt::WA_OpaquePaintEvent);
    // Tab reaches it; a click paints but leaves the focus where it is.
    setFocusPolicy(Qt::TabFocus);
}

void LogoCanvas::setKeyCell(const QRect& frame) {
    keyCell_ = frame;
    update();
}

void LogoCanvas::setOuterSize(const QSize& size) {
    // A hidden widget gets its resize event only when shown; the image must
    // follow at once.
    resize(size);
    fitImage();
}

void LogoCanvas::setBackground(const QColor& colour) {
    background_ = colour;
    clear();
}

void LogoCanvas::clear() {
    image_.fill(background_);
    update();
}

void LogoCanvas::setPixel(int x, int y, QRgb colour) {
    if (image_.valid(x, y)) {
        reinterpret_cast<QRgb*>(image_.scanLine(y))[x] = colour;
    }
}

void LogoCanvas::paintEvent(QPaintEvent* event) {
    QFrame::paintEvent(event);
    QPainter painter(this);
    painter.drawImage(contentsRect().topLeft(), image_);
    if (hasFocus() && !keyCell_.isNull()) {
        // Black and white dots, seen on every colour.
        const QRect frame = keyCell_.translated(contentsRect().topLeft());
        painter.setPen(Qt::black);
        painter.drawRect(frame);
        painter.setPen(QPen(Qt::white, 1, Qt::DotLine));
        painter.drawRect(frame);
    }
}

void LogoCanvas::resizeEvent(QResizeEvent* event) {
    QFrame::resizeEvent(event);
    fitImage();
}

void LogoCanvas::fitImage() {
    const QSize area = contentsRect().size().expandedTo(QSize(0, 0));
    if (area == image_.size()) {
        return;
    }
    QImage resized(area, QImage::Format_RGB32);
    resized.fill(background_);
    QPainter painter(&resized);
    painter.drawImage(0, 0, image_);
    painter.end();
    image_ = resized;
}

void LogoCanvas::mousePressEvent(QMouseEvent* event) {
    if (!onBorder(event->position())) {
        emit mousePressed(ButtonMask(event->button()), drawingPosition(event->position()));
    }
}

void LogoCanvas::mouseMoveEvent(QMouseEvent* event) {
    if (!onBorder(event->position())) {
        emit mouseMoved(ButtonMask(event->buttons()), drawingPosition(event->position()));
    }
}

void LogoCanvas::mouseReleaseEvent(QMouseEvent*) {
    emit mouseReleased();
}

void LogoCanvas::keyPressEvent(QKeyEvent* event) {
    switch (event->key()) {
    case Qt::Key_Left:
    case Qt::Key_Right:
    case Qt::Key_Up:
    case Qt::Key_Down:
    case Qt::Key_Space:
        emit keyPressed(event->key());
        break;
    default:
        QFrame::keyPressEvent(event);
    }
}

void LogoCanvas::focusInEvent(QFocusEvent* event) {
    QFrame::focusInEvent(event);
    update();
}

void LogoCanvas::focusOutEvent(QFocusEvent* event) {
    QFrame::focusOutEvent(event);
    update();
}

bool LogoCanvas::onBorder(const QPointF& widgetPosition) const {
    const QPoint pixel(qFloor(widgetPosition.x()), qFloor(widgetPosition.y()));
    return rect().contains(pixel) && !contentsRect().contains(pixel);
}

QPointF LogoCanvas::drawingPosition(const QPointF& widgetPosition) const {
    return widgetPosition - QPointF(contentsRect().topLeft());
}

} // namespace kalvero
