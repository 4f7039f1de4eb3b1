#include "cli/BiosExtractCommand.h"

#include "bios/LogoModule.h"
#include "cli/ImageInput.h"

namespace kalvero::cli {

BiosExtractCommand::BiosExtractCommand()
    : ConversionCommand(
          {"bios extract", "Take the logo, an EPA file, out of an Award BIOS image",
           Synopses("", "IMAGE", "OUT.epa"),
           "Writes the content of the image's logo module (type 0x4002), an EPA file,\n"
           "to OUT.epa, or with --output-dir the logo of each image, named after it.\n"
           "The image must walk, and its logo module unpack with its CRC; an image\n"
           "without a logo module or with more than one is refused."},
          ".epa", {}) {}

FileResult<std::vector<std::uint8_t>> BiosExtractCommand::convert(InputArgument& input) {
    const FileResult<bios::ImageInspection> inspection = InspectImage(input);
    if (!inspection) {
        return inspection.error();
    }
    return bios::LogoContent(inspection.value());
}

} // namespace kalvero::cli
