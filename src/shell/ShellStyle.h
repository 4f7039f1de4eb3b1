#pragma once

#include <QProxyStyle>

namespace kalvero {

// The platform's style, without the picture of the menu bar's overflow
// button: the one menu never overflows, and loading that picture made Qt load
// every image plugin it has at each start.
class ShellStyle final : public QProxyStyle {
    Q_OBJECT

public:
    QIcon standardIcon(StandardPixmap icon, const QStyleOption* option,
                       const QWidget* widget) const override;
};

} // namespace kalvero
