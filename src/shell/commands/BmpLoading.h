#pragma once

namespace kalvero {

class CommandContext;
class EpaSaving;

// Load BMP: checks a bitmap by its size, shows it and keeps it for Create EPA;
// a 16-colour bitmap becomes an EPA 2.0 image at once.
class BmpLoading {
public:
    BmpLoading(CommandContext& context, EpaSaving& saving) : context_(context), saving_(saving) {}

    void LadeBmp_Command_Click();

private:
    void failed();

    CommandContext& context_;
    EpaSaving& saving_;
};

} // namespace kalvero
