#pragma once

#include <QIcon>
#include <QPixmap>

namespace kalvero {

// Our pictures, drawn from the SVG sources built into the program.
QPixmap ArtworkPixmap(const QString& name, const QSize& size);
QIcon ArtworkIcon(const QString& name, const QSize& size);
QString ResourceText(const QString& name);

} // namespace kalvero
