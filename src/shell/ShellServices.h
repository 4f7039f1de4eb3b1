#pragma once

#include "shell/platform/EpaFileType.h"

#include <QString>
#include <functional>

namespace kalvero {

class Dialogs;
class Registry;

// What the main window needs from the world outside it: the dialogs, the
// store of the settings, how to make this program the opener of .EPA files,
// and the command-line text.
struct ShellServices {
    Dialogs& dialogs;
    Registry& settings;
    std::function<void(const ShowRegistrationError&)> registerFileType;
    QString commandLine;
};

} // namespace kalvero
