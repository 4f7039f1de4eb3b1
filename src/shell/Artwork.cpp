#include "shell/Artwork.h"

#include <QFile>
#include <QGuiApplication>
#include <QPainter>
#include <QSvgRenderer>

namespace kalvero {

QPixmap ArtworkPixmap(const QString& name, const QSize& size) {
    // Drawn for the screen's pixels, sharp at any scale factor.
    const qreal ratio = qGuiApp->devicePixelRatio();
    QSvgRenderer renderer(QStringLiteral(":/%1.svg").arg(name));
    QImage image(size * ratio, QImage::Format_ARGB32_Premultiplied);
    image.setDevicePixelRatio(ratio);
    image.fill(Qt::transparent);
    QPainter painter(&image);
    renderer.render(&painter, QRectF(QPointF(0, 0), QSizeF(size)));
    painter.end();
    return QPixmap::fromImage(image);
}

QIcon ArtworkIcon(const QString& name, const QSize& size) {
    // One picture of the size shown: an icon of the SVG file itself would
    // load Qt's image plugins and draw several sizes, a good part of the start.
    return QIcon(ArtworkPixmap(name, size));
}

QString ResourceText(const QString& name) {
    QFile file(QStringLiteral(":/text/%1").arg(name));
    return file.open(QIODevice::ReadOnly) ? QString::fromUtf8(file.readAll()) : QString();
}

} // namespace kalvero
