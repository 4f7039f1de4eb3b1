#include "canvas/LogoCanvas.h"

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

bool LogoCanvas::onBorder(const QPointF& widgetPosition) const {
    const QPoint pixel(qFloor(widgetPosition.x()), qFloor(widgetPosition.y()));
    return rect().contains(pixel) && !contentsRect().contains(pixel);
}

QPointF LogoCanvas::drawingPosition(const QPointF& widgetPosition) const {
    return widgetPosition - QPointF(contentsRect().topLeft());
}

} // namespace kalvero
