#pragma once

#include <QFrame>
#include <QImage>

namespace kalvero {

// The editing canvas: a sunken picture box that keeps its own image, so what
// was drawn stays when the window is covered and uncovered. Coordinates are
// those of the drawing area inside the frame.
class LogoCanvas final : public QFrame {
    Q_OBJECT

public:
    explicit LogoCanvas(QWidget* parent = nullptr);

    // Resizes the whole widget, frame included; pixels that still fit stay.
    void setOuterSize(const QSize& size);
    // Changes the background and erases the drawing area with it.
    void setBackground(const QColor& colour);
    QColor background() const { return background_; }
    // Erases the drawing area with the background.
    void clear();
    // Sets one pixel of the image; callers update() once they are done.
    void setPixel(int x, int y, QRgb colour);
    const QImage& image() const { return image_; }
    // The cell the keyboard points at, in drawing-area pixels: framed, over
    // the image, while the canvas has the keyboard focus.
    void setKeyCell(const QRect& frame);

signals:
    // button: the one pressed (1 left, 2 right, 4 middle); position in pixels
    // of the drawing area. Nothing is signalled on the frame around it.
    void mousePressed(int button, QPointF position);
    // buttons: mask of the buttons held (1 left, 2 right, 4 middle).
    void mouseMoved(int buttons, QPointF position);
    void mouseReleased();
    // An arrow key or the space bar, while the canvas has the focus.
    void keyPressed(int key);

protected:
    void paintEvent(QPaintEvent* event) override;
    void resizeEvent(QResizeEvent* event) override;
    void mousePressEvent(QMouseEvent* event) override;
    void mouseMoveEvent(QMouseEvent* event) override;
    void mouseReleaseEvent(QMouseEvent* event) override;
    void keyPressEvent(QKeyEvent* event) override;
    void focusInEvent(QFocusEvent* event) override;
    void focusOutEvent(QFocusEvent* event) override;

private:
    // The frame around the drawing area is no part of the logo. Beyond the
    // widget, where only a drag that started inside reaches, the events go on.
    bool onBorder(const QPointF& widgetPosition) const;
    QPointF drawingPosition(const QPointF& widgetPosition) const;
    void fitImage();

    QImage image_;
    QColor background_;
    QRect keyCell_;
};

} // namespace kalvero
