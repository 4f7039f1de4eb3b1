#pragma once

#include <QLabel>

namespace kalvero {

// A label that takes the size of its text whenever the text is set, keeping
// its left edge or its centre where it was.
class SizingLabel final : public QLabel {
    Q_OBJECT

public:
    enum class Anchor { Left, Centre };

    explicit SizingLabel(Anchor anchor, QWidget* parent = nullptr);
    void showText(const QString& text);

private:
    Anchor anchor_;
};

} // namespace kalvero
