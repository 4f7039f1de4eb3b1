#pragma once

#include <QColor>
#include <QFont>

class QWidget;

namespace kalvero {

// A font of the window design; where the family is missing the system picks a
// close one of the same kind.
QFont DesignFont(const QString& family, qreal points, bool bold = false,
                 QFont::StyleHint hint = QFont::SansSerif);

// The light grey (224, 224, 224) behind the windows of the design.
void UseDesignBackground(QWidget& window);

void SetTextColour(QWidget& widget, const QColor& colour);

} // namespace kalvero
