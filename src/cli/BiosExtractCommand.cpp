#include "cli/BiosExtractCommand.h"

#include "cli/ImageInput.h"

namespace kalvero::cli {
namespace {

constexpr Option FullScreenOption{0, "full-screen", "",
                                  "Take out the full-screen logo (module type 0x4000)\ninstead"};

} // namespace

BiosExtractCommand::BiosExtractCommand()
    : ConversionCommand(
          {"bios extract", "Take the logo, an EPA file, out of an Award BIOS image",
           Synopses("[--full-screen]", "IMAGE", "OUT.epa"),
           "Writes the content of the image's logo module (type 0x4002), an EPA file,\n"
           "to OUT.epa, or with --output-dir the logo of each image, named after it.\n"
           "The image must walk, and its logo module unpack with its CRC and hold an\n"
           "EPA logo; an image without a logo module or with more than one is refused.\n"
           "With --full-screen it takes the full-screen logo, an EPA 2.0 image of 16\n"
           "colours that some BIOSes show before the POST screen: of two full-screen\n"
           "modules, the last, which the BIOS shows."},
          ".epa", {&FullScreenOption}) {}

std::optional<std::string> BiosExtractCommand::takeOptions(const ArgumentParser& arguments) {
    place_ =
        arguments.isSet(FullScreenOption) ? bios::LogoPlace::FullScreen : bios::LogoPlace::Boot;
    return std::nullopt;
}

FileResult<std::vector<std::uint8_t>> BiosExtractCommand::convert(InputArgument& input) {
    const FileResult<bios::ImageInspection> inspection = InspectImage(input);
    if (!inspection) {
        return inspection.error();
    }
    const FileResult<bios::ImageLogo> logo = bios::FindLogo(inspection.value(), place_);
    if (!logo) {
        return logo.error();
    }
    if (!logo.value().note.empty()) {
        warn(logo.value().note.english());
    }
    return inspection.value().contents[logo.value().modules.back()].data;
}

} // namespace kalvero::cli
