#pragma once

#include <QWidget>

class QLabel;
class QPushButton;

namespace kalvero {

// The about window. Its OK button hides it; its close box removes it.
class Form3 final : public QWidget {
    Q_OBJECT

public:
    explicit Form3(QWidget* parent = nullptr);

    void setVersionText(const QString& text);

protected:
    // Escape hides the window, as its OK button does.
    void keyPressEvent(QKeyEvent* event) override;

private:
    QLabel* Label2;
    QPushButton* Command1;
};

} // namespace kalvero
