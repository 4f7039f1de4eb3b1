#include "shell/Artwork.h"

#include <QFile>
#include <QPainter>
#include <QSvgRenderer>

namespace kalvero {

QPixmap ArtworkPixmap(const QString& name, const QSize& size) {
    QSvgRenderer renderer(QStringLiteral(":/%1.svg").arg(name));
    QImage image(size, QImage::Format_ARGB32_Premultiplied);
    image.fill(Qt::transparent);
    QPainter painter(&image);
    renderer.render(&painter);
    painter.end();
    return QPixmap::fromImage(image);
}

QIcon ArtworkIcon(const QString& name) {
    // Qt's SVG icon engine draws each size only when it is first shown;
    // drawing every size up front took a third of the start.
    return QIcon(QStringLiteral(":/%1.svg").arg(name));
}

QString ResourceText(const QString& name) {
    QFile file(QStringLiteral(":/text/%1").arg(name));
    return file.open(QIODevice::ReadOnly) ? QString::fromUtf8(file.readAll()) : QString();
}

} // namespace kalvero
