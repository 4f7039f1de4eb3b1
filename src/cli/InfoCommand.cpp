#include "cli/InfoCommand.h"

#include "cli/Console.h"
#include "cli/InputArgument.h"
#include "conversion/BmpHeaderCheck.h"
#include "conversion/FileKind.h"

#include <algorithm>

namespace kalvero::cli {

InfoCommand::InfoCommand()
    : Command({"info",
               "Tell what each file is: EPA logo, EPA 2.0 image or accepted bitmap",
               {"FILE..."},
               "Prints one line a file: its name as given, a colon and what it is:\n"
               "  EPA version 1, short logo, 136 x 84\n"
               "  EPA version 1, tall logo, 136 x 126\n"
               "  EPA 2.0, 4-bit (16 colours), WIDTH x HEIGHT\n"
               "  EPA 2.0, 8-bit (256 colours), WIDTH x HEIGHT\n"
               "  bitmap, 2 colours, 136 x 84        (also 136 x 126, and 16 colours)\n"
               "  not accepted: REASON\n"
               "A FILE of - is standard input (once only).\n"
               "EPA logos and bitmaps are told apart by their size alone, as in the editor;\n"
               "EPA 2.0 images by their size and their first 8 bytes. Where a bitmap's\n"
               "header contradicts the layout its size gives it, a warning on standard error\n"
               "says so. Files that cannot be read are reported on standard error. The exit\n"
               "status is 1 when a file is not accepted or cannot be read."}) {}

int InfoCommand::run(const ArgumentParser& arguments, Console& console) {
    const std::vector<std::string>& files = arguments.operands();
    if (files.empty()) {
        return console.reportUsageError("info needs at least one file", name());
    }
    if (std::count(files.begin(), files.end(), "-") > 1) {
        return console.reportUsageError("standard input (-) can be read once only", name());
    }
    int status = ExitSuccess;
    for (const std::string& file : files) {
        InputArgument input(file);
        const FileResult<FileKind> kind = input.kind();
        if (!kind) {
            console.reportFileError(input.name(), kind.error().reason);
            status = ExitFailure;
            continue;
        }
        console.print(file + ": " + DescribeFileKind(kind.value()) + "\n");
        if (kind.value().type == FileType::Bitmap) {
            if (const FileResult<std::vector<std::uint8_t>> bytes = input.bytes()) {
                for (const std::string& warning :
                     BmpHeaderWarnings(bytes.value(), BmpUse::Picture)) {
                    console.reportWarning(input.name(), warning);
                }
            }
        }
        if (kind.value().type == FileType::NotAccepted) {
            status = ExitFailure;
        }
    }
    return status;
}

} // namespace kalvero::cli
