#pragma once

#include "editor/LanguageTexts.h"

#include <string>

namespace kalvero {

// The texts of Boot in QEMU (F7), in the user's language.

// The entry's caption; where QEMU cannot run, how to install it instead.
std::string BootInQemuCaption(Language language, bool qemuMissing);
// Beside the progress indication while the image boots.
std::string BootingText(Language language, const std::string& path);
// The verdict over the BIOS's screen.
std::string BootVerdictText(Language language, bool drawn);
// QEMU could not be used: not installed, or it did not start; the reason as
// the core gives it.
MessageText QemuUnusableNotice(Language language, const std::string& reason);

} // namespace kalvero
