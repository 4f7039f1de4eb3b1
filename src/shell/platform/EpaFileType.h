#pragma once

#include "shell/platform/Registry.h"

#include <functional>
#include <string>

namespace kalvero {

// Shows a registration failure, e.g. "Registration-Error ! [.EPA]".
using ShowRegistrationError = std::function<void(const std::string& text)>;

// The three parts of the association, in the order they are written.
enum class AssociationPart { Extension, FileType, OpenCommand };

// The message for a part that could not be written, e.g.
// "Registration-Error ! [.EPA]"; one wording for both languages.
std::string RegistrationErrorText(AssociationPart part);

// Points ".EPA" at this program: writes the default values of the three
// classes-root keys, whatever was registered before.
void RegisterEpaFileType(Registry& registry, const std::string& programFolder,
                         const ShowRegistrationError& showError);

// The open command: <folder>[\]KALVERO.EXE "%1".
std::string EpaOpenCommand(const std::string& programFolder);

} // namespace kalvero
