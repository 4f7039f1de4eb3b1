#pragma once

namespace kalvero {

class CommandContext;

// Save EPA: the logo as an EPA version-1 file; and the pending EPA 2.0 image
// made from a 16-colour bitmap.
class EpaSaving {
public:
    explicit EpaSaving(CommandContext& context) : context_(context) {}

    void SichEpa_Command_Click();
    void SaveEpa2();

private:
    CommandContext& context_;
};

} // namespace kalvero
