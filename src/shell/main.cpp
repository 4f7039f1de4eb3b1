#include "document/FileIo.h"
#include "shell/Form1.h"
#include "shell/QtDialogs.h"

#include <QApplication>
#include <QDir>

#ifdef Q_OS_WIN
#include "shell/platform/WindowsRegistry.h"
#else
#include "shell/platform/DesktopAssociation.h"
#include "shell/platform/FileRegistry.h"
#endif

int main(int argc, char* argv[]) {
    kalvero::IgnoreFileSizeSignal();
    QApplication application(argc, argv);
    QApplication::setApplicationName(QStringLiteral("Kalvero"));
    QApplication::setApplicationVersion(QStringLiteral(KALVERO_VERSION));

    // The command line is at most one logo path, blanks included.
    const QString commandLine = QApplication::arguments().mid(1).join(' ');
    kalvero::QtDialogs dialogs;

#ifdef Q_OS_WIN
    kalvero::WindowsRegistry registry;
    const std::string folder =
        QDir::toNativeSeparators(QApplication::applicationDirPath()).toStdString();
    auto registerFileType = [&](const kalvero::ShowRegistrationError& showError) {
        kalvero::RegisterEpaFileType(registry, folder, showError);
    };
#else
    const kalvero::DesktopLocations where = kalvero::DesktopLocations::FromEnvironment();
    kalvero::FileRegistry registry(kalvero::SettingsFilePath(where));
    const std::string program = QApplication::applicationFilePath().toStdString();
    auto registerFileType = [&](const kalvero::ShowRegistrationError& showError) {
        kalvero::RegisterDesktopAssociation(where, program, "kalvero", showError);
    };
#endif

    kalvero::Form1 window({dialogs, registry, registerFileType, commandLine});
    dialogs.setParentWindow(&window);
    window.show();
    window.activateWindow();
    return QApplication::exec();
}
