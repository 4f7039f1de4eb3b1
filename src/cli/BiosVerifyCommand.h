#pragma once

#include "cli/ImageReportCommand.h"

namespace kalvero::cli {

// bios verify: every check of images by name; exit status 1 when one fails.
class BiosVerifyCommand : public ImageReportCommand {
public:
    BiosVerifyCommand();
    std::vector<const Option*> options() const override;

protected:
    void takeOptions(const ArgumentParser& arguments) override;
    bool report(const std::string& file, const bios::ImageInspection& inspection,
                Console& console) override;

private:
    bool verbose_ = false;
};

} // namespace kalvero::cli
