#include "document/FileIo.h"
#include "shell/EditorArguments.h"
#include "shell/Form1.h"
#include "shell/QtDialogs.h"
#include "shell/ShellStyle.h"

#include <QApplication>
#include <QDir>
#include <QFile>
#include <cstdio>

#ifdef Q_OS_WIN
#include "shell/platform/WindowsRegistry.h"
#else
#include "shell/platform/DesktopAssociation.h"
#include "shell/platform/FileRegistry.h"
#endif

int main(int argc, char* argv[]) {
    // Answered before Qt starts, so that no display is needed.
    if (const std::optional<std::string> answer = kalvero::TerminalAnswer(
            std::vector<std::string>(argv + 1, argv + argc), KALVERO_VERSION)) {
        std::fputs(answer->c_str(), stdout);
        return 0;
    }
    kalvero::IgnoreFileSizeSignal();
    // Before QApplication: no thread of Qt's may exist yet.
    kalvero::RemoveTemporaryFilesOnSignalsInThreads();
    QApplication application(argc, argv);
    QApplication::setApplicationName(QStringLiteral("Kalvero"));
    QApplication::setApplicationVersion(QStringLiteral(KALVERO_VERSION));
    QApplication::setStyle(new kalvero::ShellStyle);

    // The command line is at most one file path, blanks included; Qt has
    // taken its own options out of it.
    std::vector<std::string> arguments;
    for (const QString& argument : QApplication::arguments().mid(1)) {
        arguments.push_back(argument.toStdString());
    }
    const QString commandLine = QString::fromStdString(kalvero::CommandLineOf(arguments));
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
        QFile icon(QStringLiteral(":/icons/kalvero.svg"));
        const std::string svg = icon.open(QIODevice::ReadOnly) ? icon.readAll().toStdString() : "";
        kalvero::RegisterDesktopAssociation(where, program, svg, showError);
    };
#endif

    kalvero::Form1 window({dialogs, registry, registerFileType, commandLine});
    dialogs.setParentWindow(&window);
    window.show();
    window.activateWindow();
    return QApplication::exec();
}
