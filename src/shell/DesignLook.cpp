#include "shell/DesignLook.h"

#include <QStringList>
#include <QWidget>

namespace kalvero {

QFont DesignFont(const QString& family, qreal points, bool bold, QFont::StyleHint hint) {
    QFont font(family);
    // Where the design's family is missing, a family of the same widths is
    // nearer to the layout than the system's default, which may run wider.
    const QStringList sameWidths =
        hint == QFont::TypeWriter
            ? QStringList{QStringLiteral("Liberation Mono")}
            : QStringList{QStringLiteral("Liberation Sans"), QStringLiteral("Arimo")};
    font.setFamilies(QStringList{family} + sameWidths);
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
