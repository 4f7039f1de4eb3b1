#include "cli/ImageReportCommand.h"

#include "cli/Console.h"
#include "cli/ImageInput.h"

#include <algorithm>

namespace kalvero::cli {

int ImageReportCommand::run(const ArgumentParser& arguments, Console& console) {
    const std::vector<std::string>& files = arguments.operands();
    if (files.empty()) {
        return console.reportUsageError(name() + " needs at least one image", name());
    }
    if (std::count(files.begin(), files.end(), "-") > 1) {
        return console.reportUsageError("standard input (-) can be read once only", name());
    }
    takeOptions(arguments);
    int status = ExitSuccess;
    for (const std::string& file : files) {
        InputArgument image(file);
        const FileResult<bios::ImageInspection> inspection = InspectImage(image);
        if (!inspection) {
            console.reportFileError(image.name(), inspection.error().reason);
            status = ExitFailure;
        } else if (!report(file, inspection.value(), console)) {
            status = ExitFailure;
        }
    }
    return status;
}

} // namespace kalvero::cli
