#pragma once

#include "bios/ImageInspection.h"
#include "cli/Command.h"

namespace kalvero::cli {

// A command that reports on each of any number of Award BIOS images: IMAGE...,
// one of them - for standard input. An image that cannot be read or walked is
// reported on standard error and the others are still told.
class ImageReportCommand : public Command {
public:
    using Command::Command;
    int run(const ArgumentParser& arguments, Console& console) final;

protected:
    // Takes the command's own options before the images are read.
    virtual void takeOptions(const ArgumentParser& /*arguments*/) {}
    // Prints the report of one image; false when the image fails the command.
    virtual bool report(const std::string& file, const bios::ImageInspection& inspection,
                        Console& console) = 0;
};

} // namespace kalvero::cli
