#pragma once

#include <QWidget>

class QImage;

namespace kalvero {

// A window with the logo as the PC shows it at power-on; Escape closes it.
class BootPreview final : public QWidget {
    Q_OBJECT

public:
    BootPreview(const QImage& screen, const QString& title, QWidget* parent);
};

} // namespace kalvero
