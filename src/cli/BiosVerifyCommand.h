#pragma once

#include "cli/ImageReportCommand.h"

namespace kalvero::cli {

// bios verify: every check of images by name; exit status 1 when one fails.
class BiosVerifyCommand : public ImageReportCommand {
public:
    BiosVerifyCommand();

protected:
    bool report(const std::string& file, const bios::ImageInspection& inspection,
                Console& console) override;
};

} // namespace kalvero::cli
