#pragma once

#include <optional>
#include <string>

namespace kalvero {

class CommandContext;
class EpaSaving;

// Load EPA and the logo named on the command line.
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
    void loadEpa(const std::optional<std::string>& given);
    // The error path of Load EPA: no logo, no bitmap, commands disabled.
    void resetAfterError();
    // Makes the backup copy when the option is on; false (with a notice) when
    // it failed.
    bool backupIfWanted(const std::string& path);

    CommandContext& context_;
    EpaSaving& saving_;
};

} // namespace kalvero
