#pragma once

#include "shell/Dialogs.h"

#include <QPointer>

namespace kalvero {

// The dialogs a user sees: QMessageBox, QFileDialog and the desktop's browser.
class QtDialogs final : public Dialogs {
public:
    void setParentWindow(QWidget* window) { parent_ = window; }

    int message(const MessageRequest& request) override;
    std::optional<QString> openFile(const FileDialogRequest& request) override;
    std::optional<QString> saveFile(FileDialogRequest& request) override;
    void openUrl(const QString& address) override;

    // "(*.epa)|*.epa|all Files (*.*)|*.*|" in the form QFileDialog takes.
    static QString QtFilter(const QString& filter);

private:
    QPointer<QWidget> parent_;
    QString lastFolder_;
};

} // namespace kalvero
