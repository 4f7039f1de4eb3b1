#pragma once

#include "shell/QtTranslation.h"
#include "shell/platform/EpaFileType.h"

#include <QString>
#include <QStringList>
#include <functional>

namespace kalvero {

class Dialogs;
class Registry;

// What the main window needs from the world outside it: the dialogs, the
// store of the settings, how to make this program the opener of .EPA files,
// the command-line text, and where Qt's own translations are.
struct ShellServices {
    Dialogs& dialogs;
    Registry& settings;
    std::function<void(const ShowRegistrationError&)> registerFileType;
    QString commandLine;
    QStringList qtTranslations = QtTranslation::StandardFolders();
};

} // namespace kalvero
