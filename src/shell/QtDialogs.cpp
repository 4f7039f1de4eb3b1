#include "shell/QtDialogs.h"

#include "document/FileIo.h"
#include "shell/BootScreenWindow.h"

#include <QDesktopServices>
#include <QFileDialog>
#include <QFileInfo>
#include <QLocale>
#include <QMessageBox>
#include <QUrl>

namespace kalvero {
namespace {

QString PatternsForThisSystem(const QString& patterns) {
#ifdef Q_OS_WIN
    return patterns;
#else
    // Names are case-sensitive here: "*.*" would miss names without a point,
    // and "*.epa" would miss LOGO.EPA.
    QStringList result;
    for (const QString& pattern : patterns.split(';', Qt::SkipEmptyParts)) {
        if (pattern == QLatin1String("*.*")) {
            result << QStringLiteral("*");
        } else {
            result << pattern.toLower() << pattern.toUpper();
        }
    }
    result.removeDuplicates();
    return result.join(' ');
#endif
}

QString SelectedFilter(const QString& qtFilter, int filterIndex) {
    const QStringList filters = qtFilter.split(QStringLiteral(";;"));
    return filterIndex >= 1 && filterIndex <= filters.size() ? filters[filterIndex - 1] : QString();
}

// A name made only of wildcards ("*.epa") stands for "no name yet".
QString StartPath(const QString& initialName, const QString& lastFolder) {
    if (initialName.isEmpty() || initialName.contains('*')) {
        return lastFolder;
    }
    return initialName;
}

// The system's own file dialog speaks the system's language. Where the
// window speaks another, Qt's dialog is shown, which speaks the window's.
QFileDialog::Options LanguageOptions() {
    QLocale::Language system = QLocale(QLocale::system().uiLanguages().value(0)).language();
    if (system == QLocale::C) {
        system = QLocale::English;
    }
    return system == QLocale().language() ? QFileDialog::Options()
                                          : QFileDialog::DontUseNativeDialog;
}

} // namespace

QString QtDialogs::QtFilter(const QString& filter) {
    const QStringList parts = filter.split('|');
    QStringList filters;
    for (qsizetype i = 0; i + 1 < parts.size(); i += 2) {
        filters << parts[i] + QStringLiteral(" (") + PatternsForThisSystem(parts[i + 1]) + ')';
    }
    return filters.join(QStringLiteral(";;"));
}

int QtDialogs::message(const MessageRequest& request) {
    QMessageBox box(parent_);
    box.setWindowTitle(QString::fromStdString(request.title));
    box.setText(QString::fromStdString(request.text));
    box.setIcon(request.icon == MessageIcon::Question      ? QMessageBox::Question
                : request.icon == MessageIcon::Information ? QMessageBox::Information
                                                           : QMessageBox::NoIcon);
    if (request.buttons != MessageButtons::Ok) {
        const bool cancel = request.buttons == MessageButtons::YesNoCancel;
        box.setStandardButtons(QMessageBox::Yes | QMessageBox::No |
                               (cancel ? QMessageBox::Cancel : QMessageBox::NoButton));
        box.setDefaultButton(QMessageBox::Yes);
        // Closing the box is Cancel where there is one, else No.
        box.setEscapeButton(cancel ? QMessageBox::Cancel : QMessageBox::No);
        const int answer = box.exec();
        return answer == QMessageBox::Yes  ? AnswerYes
               : answer == QMessageBox::No ? AnswerNo
                                           : AnswerCancel;
    }
    box.setStandardButtons(QMessageBox::Ok);
    box.exec();
    return AnswerOk;
}

std::optional<std::string> QtDialogs::openFile(const FileDialogRequest& request) {
    const QString filter = QtFilter(QString::fromStdString(request.filter));
    QString selected = SelectedFilter(filter, request.filterIndex);
    const QString path = QFileDialog::getOpenFileName(
        parent_, QString(), StartPath(QString::fromStdString(request.initialName), lastFolder_),
        filter, &selected, LanguageOptions());
    if (path.isEmpty()) {
        return std::nullopt;
    }
    lastFolder_ = QFileInfo(path).absolutePath();
    return path.toStdString();
}

std::optional<std::string> QtDialogs::saveFile(FileDialogRequest& request) {
    const QString filter = QtFilter(QString::fromStdString(request.filter));
    QString selected = SelectedFilter(filter, request.filterIndex);
    const QString path = QFileDialog::getSaveFileName(
        parent_, QString(), StartPath(QString::fromStdString(request.initialName), lastFolder_),
        filter, &selected,
        LanguageOptions() | (request.confirmOverwrite ? QFileDialog::Options()
                                                      : QFileDialog::DontConfirmOverwrite));
    if (path.isEmpty()) {
        return std::nullopt;
    }
    request.filterIndex =
        static_cast<int>(filter.split(QStringLiteral(";;")).indexOf(selected)) + 1;
    lastFolder_ = QFileInfo(path).absolutePath();
    return path.toStdString();
}

void QtDialogs::openUrl(const std::string& address) {
    StartWithSignalsUnblocked(
        [&address] { QDesktopServices::openUrl(QUrl(QString::fromStdString(address))); });
}

BootOutcome QtDialogs::bootImage(const BootRequest& request) {
    return BootWithProgress(request, parent_);
}

void QtDialogs::showBootScreen(const BootScreenRequest& request) {
    BootScreenWindow(request, parent_).exec();
}

} // namespace kalvero
