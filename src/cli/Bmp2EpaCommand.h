#pragma once

#include "cli/ConversionCommand.h"

namespace kalvero::cli {

// bmp2epa: what the editor's Load BMP, Create EPA and Save EPA make of a
// bitmap, chosen by the bitmap's size alone.
class Bmp2EpaCommand : public ConversionCommand {
public:
    Bmp2EpaCommand();

protected:
    std::optional<QString> takeOptions(const QCommandLineParser& parser) override;
    FileResult<std::vector<std::uint8_t>> convert(const std::filesystem::path& input) override;

private:
    bool negative_ = false;
};

} // namespace kalvero::cli
