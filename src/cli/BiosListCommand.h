#pragma once

#include "cli/ImageReportCommand.h"

namespace kalvero::cli {

// bios list: the layout, modules, free room, checks and logo of images.
class BiosListCommand : public ImageReportCommand {
public:
    BiosListCommand();

protected:
    bool report(const std::string& file, const bios::ImageInspection& inspection,
                Console& console) override;
};

} // namespace kalvero::cli
