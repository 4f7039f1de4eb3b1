#pragma once

#include <optional>
#include <string>

namespace kalvero {

class CommandContext;
class EpaSaving;

// Load BMP: checks a bitmap by its size, shows it and keeps it for Create EPA;
// a 16-colour bitmap becomes an EPA 2.0 image at once.
class BmpLoading {
public:
    BmpLoading(CommandContext& context, EpaSaving& saving) : context_(context), saving_(saving) {}

    void LadeBmp_Command_Click();
    // Load BMP on a file named already (dropped on the window): the same
    // questions, checks and notices, without the file dialog.
    void LoadBmpFile(const std::string& path);

private:
    void loadBmp(const std::optional<std::string>& given);
    void failed();

    CommandContext& context_;
    EpaSaving& saving_;
};

} // namespace kalvero
