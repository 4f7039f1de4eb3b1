#pragma once

#include "cli/ConversionCommand.h"
#include "conversion/import/PictureImport.h"

namespace kalvero::cli {

// import: an EPA logo, or one of the bitmaps the editor accepts, made of any
// picture Qt can read.
class ImportCommand : public ConversionCommand {
public:
    ImportCommand();

protected:
    std::optional<QString> takeOptions(const QCommandLineParser& parser) override;
    FileResult<std::vector<std::uint8_t>> convert(const std::filesystem::path& input) override;

private:
    std::optional<QString> takeTarget(const QCommandLineParser& parser);
    std::optional<QString> takeDither(const QCommandLineParser& parser);

    ImportSettings settings_;
};

} // namespace kalvero::cli
