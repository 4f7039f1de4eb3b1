#pragma once

#include <QCursor>
#include <QFont>
#include <QLabel>

namespace kalvero {

// The homepage label: over the band of its text the pointer turns into a hand
// and a click opens the address. Only the vertical position counts.
class LinkLabel final : public QLabel {
    Q_OBJECT

public:
    LinkLabel(const QFont& measuringFont, const QCursor& hand, QWidget* parent = nullptr);

    // y in pixels inside the label.
    void lblHyperlink_MouseMove(double y);
    bool LinkHover = false;

signals:
    // A click while the pointer was over the text band.
    void lblHyperlink_Click();

protected:
    void mouseMoveEvent(QMouseEvent* event) override;
    void mouseReleaseEvent(QMouseEvent* event) override;

private:
    QFont measuringFont_;
    QCursor hand_;
};

} // namespace kalvero
