#include "cli/ImageInput.h"

#include "bios/FixedBlocks.h"
#include "cli/Console.h"
#include "document/FileNames.h"

namespace kalvero::cli {

FileResult<std::vector<std::uint8_t>> ReadImage(InputArgument& image) {
    const FileResult<std::uint64_t> length = image.length();
    if (!length) {
        return length.error();
    }
    if (!bios::KnownImageSize(length.value())) {
        const FileResult<std::vector<std::uint8_t>> head = image.head(bios::ImageHeadLength);
        if (!head) {
            return head.error();
        }
        const std::optional<Reason> cut = bios::CutShortImage(length.value(), head.value());
        return cut ? FileError{FileProblem::NotAccepted, *cut}
                   : bios::UnknownImageSize(length.value());
    }
    return image.bytes();
}

FileResult<bios::ImageInspection> InspectImage(InputArgument& image) {
    const FileResult<std::vector<std::uint8_t>> bytes = ReadImage(image);
    if (!bytes) {
        return bytes.error();
    }
    return bios::InspectAwardImage(bytes.value());
}

void PrintReport(Console& console, std::string_view file, const std::vector<std::string>& lines) {
    std::string text;
    for (const std::string& line : lines) {
        text += (text.empty() ? QuotedName(file) + ": " : "  ") + line + "\n";
    }
    console.print(text);
}

} // namespace kalvero::cli
