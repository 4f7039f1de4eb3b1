#pragma once

namespace kalvero {

class CommandContext;

// EPAtoBMP: the logo's glyphs as a two-colour bitmap, white on black.
class BmpExporting {
public:
    explicit BmpExporting(CommandContext& context) : context_(context) {}

    void EpaToBmp_Click();

private:
    CommandContext& context_;
};

} // namespace kalvero
