#pragma once

#include "editor/Dialogs.h"

#include <QPointer>
#include <QString>

class QWidget;

namespace kalvero {

// The dialogs a user sees: QMessageBox, QFileDialog and the desktop's browser.
class QtDialogs final : public Dialogs {
public:
    void setParentWindow(QWidget* window) { parent_ = window; }

    int message(const MessageRequest& request) override;
    std::optional<std::string> openFile(const FileDialogRequest& request) override;
    std::optional<std::string> saveFile(FileDialogRequest& request) override;
    void openUrl(const std::string& address) override;
    BootOutcome bootImage(const BootRequest& request) override;
    void showBootScreen(const BootScreenRequest& request) override;

    // "(*.epa)|*.epa|all Files (*.*)|*.*|" in the form QFileDialog takes.
    static QString QtFilter(const QString& filter);

private:
    QPointer<QWidget> parent_;
    QString lastFolder_;
};

} // namespace kalvero
