#pragma once

#include <QAbstractButton>

namespace kalvero {

// A button that shows nothing but a colour, raised, or sunken while pressed or
// selected: the palette buttons and the colour bar.
class ColourButton final : public QAbstractButton {
    Q_OBJECT

public:
    explicit ColourButton(QWidget* parent = nullptr);

    void setColour(const QColor& colour);
    QColor colour() const { return colour_; }
    QSize sizeHint() const override { return {17, 17}; }

protected:
    void paintEvent(QPaintEvent* event) override;

private:
    QColor colour_{Qt::black};
};

} // namespace kalvero
