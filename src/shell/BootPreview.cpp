#include "shell/BootPreview.h"

#include <QLabel>
#include <QShortcut>
#include <QVBoxLayout>

namespace kalvero {

BootPreview::BootPreview(const QImage& screen, const QString& title, QWidget* parent)
    : QWidget(parent, Qt::Window) {
    setObjectName(QStringLiteral("BootPreview"));
    setWindowTitle(title);
    setAttribute(Qt::WA_DeleteOnClose);
    auto* picture = new QLabel(this);
    picture->setPixmap(QPixmap::fromImage(screen));
    auto* layout = new QVBoxLayout(this);
    layout->setContentsMargins(0, 0, 0, 0);
    layout->addWidget(picture);
    layout->setSizeConstraint(QLayout::SetFixedSize);
    connect(new QShortcut(QKeySequence(Qt::Key_Escape), this), &QShortcut::activated, this,
            &QWidget::close);
}

} // namespace kalvero
