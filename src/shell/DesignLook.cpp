#include "shell/DesignLook.h"

#include <QWidget>

namespace kalvero {

QFont DesignFont(const QString& family, qreal points, bool bold, QFont::StyleHint hint) {
    QFont font(family);
    font.setStyleHint(hint);
    font.setPointSizeF(points);
    font.setBold(bold);
    return font;
}

void UseDesignBackground(QWidget& window) {
    window.setAutoFillBackground(true);
    QPalette grey = window.palette();
    grey.setColor(QPalette::Window, QColor(224, 224, 224));
    window.setPalette(grey);
}

void SetTextColour(QWidget& widget, const QColor& colour) {
    QPalette palette = widget.palette();
    palette.setColor(QPalette::WindowText, colour);
    widget.setPalette(palette);
}

} // namespace kalvero
