#pragma once

#include "editor/LanguageTexts.h"

#include <optional>
#include <string>

namespace kalvero {

class CommandContext;
class EpaSaving;

// Load EPA and the file named on the command line: an EPA logo, or the logo
// of an Award BIOS image, told apart by the file's content.
class EpaOpening {
public:
    EpaOpening(CommandContext& context, EpaSaving& saving) : context_(context), saving_(saving) {}

    void LadeEpa_Command_Click();
    // Load EPA on a file named already (dropped on the window): the same
    // questions, checks, backup and notices, without the file dialog.
    void LoadEpaFile(const std::string& path);
    // Opens CommandLineFile once, at the first activation of the window.
    void OpenCommandLineFile();

private:
    using Epa2Wording = MessageText (*)(Language, const std::string&);

    void loadEpa(const std::optional<std::string>& given);
    // Puts the file's logo on the canvas; false, with a notice, when the file
    // is refused or cannot be read: the logo before stays as it was.
    bool open(const std::string& path, Epa2Wording epa2Notice);
    void showOpened(const std::string& path);
    // Makes the backup copy when the option is on; false (with a notice) when
    // it failed.
    bool backupIfWanted(const std::string& path);

    CommandContext& context_;
    EpaSaving& saving_;
};

} // namespace kalvero
