#include "cli/InfoCommand.h"

#include "bios/FixedBlocks.h"
#include "bios/ImageInspection.h"
#include "bios/ImageReport.h"
#include "cli/Console.h"
#include "cli/ImageInput.h"
#include "cli/InputArgument.h"
#include "conversion/FileInspection.h"
#include "document/FileNames.h"

#include <algorithm>
#include <optional>

namespace kalvero::cli {
namespace {

// The file's kind, and what else info tells of it, from the whole file where
// that is needed.
FileResult<FileInspection> Inspect(InputArgument& input) {
    const FileResult<FileKind> kind = input.kind();
    if (!kind) {
        return kind.error();
    }
    if (!NeedsWholeFile(kind.value())) {
        return InspectFile(kind.value(), {});
    }
    const FileResult<InputFile> file = input.accepted();
    if (!file) {
        return file.error();
    }
    return InspectFile(file.value().kind, file.value().bytes);
}

// What info tells of a file that is meant as an Award image (one of an
// image's size, or one that starts as an image does): the image, or why it
// is not one or cannot be walked; none for any other file.
std::optional<FileResult<std::string>> DescribeImage(InputArgument& input, std::uint64_t length) {
    const FileResult<std::vector<std::uint8_t>> head = input.head(bios::ImageHeadLength);
    if (!bios::KnownImageSize(length) && !(head && bios::CutShortImage(length, head.value()))) {
        return std::nullopt;
    }
    const FileResult<bios::ImageInspection> image = InspectImage(input);
    if (!image) {
        return FileResult<std::string>(image.error());
    }
    return FileResult<std::string>(bios::DescribeAwardImage(image.value()));
}

} // namespace

InfoCommand::InfoCommand()
    : Command({"info",
               "Tell what each file is: EPA logo or image, bitmap or BIOS image",
               {"FILE..."},
               "Prints one line a file: its name as given, a colon and what it is:\n"
               "  EPA version 1, short logo, 136 x 84\n"
               "  EPA version 1, tall logo, 136 x 126\n"
               "  EPA 2.0, 4-bit (16 colours), WIDTH x HEIGHT\n"
               "  EPA 2.0, 4-bit (16 standard VGA colours, no palette), WIDTH x HEIGHT\n"
               "  EPA 2.0, 8-bit (256 colours), WIDTH x HEIGHT\n"
               "  bitmap, 2 colours, 136 x 84        (also 136 x 126, and 16 colours)\n"
               "  Award BIOS image, 128 KiB, layout A (system module first), logo: KIND\n"
               "    (N bytes packed, N bytes of free room), full-screen logo: KIND (...)\n"
               "  not accepted: REASON\n"
               "A version 1 logo with cells whose attribute is above 15 gets \"; N cells have\n"
               "a background colour, which the PC shows and the editor's canvas does not\".\n"
               "A 16-colour EPA 2.0 image whose pixels use palette entry 6 gets a warning on\n"
               "standard error: two of three boards measured show that entry in another\n"
               "entry's colour.\n"
               "A FILE of - is standard input (once only).\n"
               "EPA logos and bitmaps are told apart by their size alone, as in the editor;\n"
               "EPA 2.0 images by their size and their first 8 bytes; a file of 128 or\n"
               "256 KiB is read whole and walked as an Award BIOS image (kalvero-cli bios\n"
               "list tells more; an image that cannot be walked is not accepted, with the\n"
               "reason), and a file of another size that starts as an image does is told\n"
               "as an image cut short. Where a bitmap's header contradicts the layout its size\n"
               "gives it, a warning on standard error says so. Files that cannot be read are\n"
               "reported on standard error. The exit status is 1 when a file is not accepted\n"
               "or cannot be read."}) {}

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
        const FileResult<FileInspection> inspection = Inspect(input);
        if (!inspection) {
            console.reportFileError(input.name(), inspection.error().reason);
            status = ExitFailure;
            continue;
        }
        const FileKind& kind = inspection.value().kind;
        if (kind.type == FileType::NotAccepted) {
            if (const std::optional<FileResult<std::string>> image =
                    DescribeImage(input, kind.length)) {
                console.print(
                    QuotedName(file) + ": " +
                    (*image ? image->value() : "not accepted: " + image->error().reason.english()) +
                    "\n");
                status = *image ? status : ExitFailure;
                continue;
            }
        }
        console.print(QuotedName(file) + ": " + DescribeInspection(inspection.value()) + "\n");
        for (const std::string& warning : inspection.value().warnings) {
            console.reportWarning(input.name(), warning);
        }
        if (inspection.value().kind.type == FileType::NotAccepted) {
            status = ExitFailure;
        }
    }
    return status;
}

} // namespace kalvero::cli
