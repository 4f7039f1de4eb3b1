#pragma once

#include "editor/LanguageTexts.h"

#include <QWidget>

class QLabel;
class QPlainTextEdit;
class QPushButton;

namespace kalvero {

class SizingLabel;

// The read-me window: the instructions in German and English. It is removed
// when closed and built anew for the next showing.
class Hinweis final : public QWidget {
    Q_OBJECT

public:
    explicit Hinweis(QWidget* parent = nullptr);

    void setVersionText(const QString& text);
    // The read-me text, after what Kalvero does today in both languages, the
    // chosen one first.
    void setLanguage(Language language);
    QPushButton* okButton() const { return Command1; }

signals:
    void closed();

protected:
    void closeEvent(QCloseEvent* event) override;
    // Escape closes the window, as its OK button does.
    void keyPressEvent(QKeyEvent* event) override;

private:
    QLabel* Label1;
    SizingLabel* Label7;
    SizingLabel* Label4;
    QLabel* Label3;
    QPlainTextEdit* Text1;
    QPushButton* Command1;
};

} // namespace kalvero
