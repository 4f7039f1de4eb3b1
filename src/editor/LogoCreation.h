#pragma once

namespace kalvero {

class CommandContext;
class EpaSaving;

// Create EPA: saves the pending EPA 2.0 image, or turns the loaded two-colour
// bitmap into the logo on the canvas.
class LogoCreation {
public:
    LogoCreation(CommandContext& context, EpaSaving& saving) : context_(context), saving_(saving) {}

    void CreateEpa_Click();

private:
    CommandContext& context_;
    EpaSaving& saving_;
};

} // namespace kalvero
