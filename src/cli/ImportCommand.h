#pragma once

#include "cli/ConversionCommand.h"
#include "conversion/import/PictureImport.h"

namespace kalvero::cli {

// import: an EPA logo, a full-screen logo, or one of the bitmaps the editor
// accepts, made of any picture that the picture decoder reads.
class ImportCommand : public ConversionCommand {
public:
    ImportCommand();

protected:
    std::optional<std::string> takeOptions(const ArgumentParser& arguments) override;
    FileResult<std::vector<std::uint8_t>> convert(InputArgument& input) override;

private:
    std::optional<std::string> takeTarget(const ArgumentParser& arguments);
    std::optional<std::string> takeSize(const ArgumentParser& arguments);
    std::optional<std::string> takeThreshold(const ArgumentParser& arguments);
    std::optional<std::string> takeRoom(const ArgumentParser& arguments);

    ImportSettings settings_;
    std::optional<std::size_t> room_; // --room: fitted to pack to at most this
    bool shrink_ = true;
};

} // namespace kalvero::cli
