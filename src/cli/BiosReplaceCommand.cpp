#include "cli/BiosReplaceCommand.h"

#include "bios/ImageBytes.h"
#include "bios/ImageInspection.h"
#include "bios/ImageReport.h"
#include "bios/LogoFitting.h"
#include "bios/LogoKinds.h"
#include "bios/LogoModule.h"
#include "bios/LogoReplacer.h"
#include "cli/BiosTryCommand.h"
#include "cli/Console.h"
#include "cli/ImageInput.h"
#include "cli/OutputArgument.h"
#include "cli/PictureOptions.h"
#include "picture/PictureLimits.h"

#include <algorithm>

namespace kalvero::cli {
namespace {

constexpr Option DryRunOption{
    0, "dry-run", "", "Tell what would change and write nothing; OUT is\nchecked all the same"};
constexpr Option FullScreenOption{0, "full-screen", "",
                                  "Replace the full-screen logo (module type 0x4000)\ninstead"};

// The options that say how a picture becomes the logo.
constexpr const Option* PictureOptions[] = {&FitOption,     &FillOption,   &StretchOption,
                                            &DitherOption,  &InvertOption, &AllColorsOption,
                                            &NoShrinkOption};

// The new logo: an EPA file of any kind as it is, or a picture that import
// reads made into the logo the image needs, fitted to its room. A refusal
// that concerns the image rather than the logo sets imageAtFault.
FileResult<std::vector<std::uint8_t>>
ReadLogo(InputArgument& logo, std::span<const std::uint8_t> image, bios::LogoPlace place,
         const ArgumentParser& arguments, Console& console, bool& imageAtFault) {
    const FileResult<std::uint64_t> length = logo.length();
    if (!length) {
        return length.error();
    }
    if (length.value() > MaxPictureLength) {
        return bios::Refusal(
            Reason::of<"the new logo is neither an EPA logo nor a picture Kalvero reads: {} bytes, "
                       "more than the {} it reads.",
                       "das neue Logo ist weder ein EPA-Logo noch ein Bild, das Kalvero liest: {} "
                       "Bytes, mehr als die {}, die es liest.">(length.value(), MaxPictureLength));
    }
    FileResult<std::vector<std::uint8_t>> bytes = logo.bytes();
    if (!bytes) {
        return bytes.error();
    }
    const FileResult<FileKind> kind = bios::LogoKind(bytes.value());
    if (kind) {
        return bytes;
    }
    const FileResult<DecodedPicture> picture = DecodePicture(bytes.value());
    if (!picture) {
        return bios::Refusal(
            Reason::of<"the new logo is neither an EPA logo ({}) nor a picture Kalvero reads ({}). "
                       "Make one with kalvero-cli import or bmp2epa.",
                       "das neue Logo ist weder ein EPA-Logo ({}) noch ein Bild, das Kalvero liest "
                       "({}). Machen Sie eines mit kalvero-cli import oder bmp2epa.">(
                kind.error().reason, picture.error().reason));
    }
    ImportSettings look;
    if (const std::optional<std::string> problem = TakePictureLook(arguments, look)) {
        return bios::Refusal(Reason::of<"{}", "{} (Option von kalvero-cli)">(*problem));
    }
    look.allColours = arguments.isSet(AllColorsOption);
    const FileResult<bios::LogoSlot> slot = bios::FindLogoSlot(image, place);
    const FileResult<ImportSettings> settings =
        slot ? bios::SettingsForLogo(slot.value().kind, look) : slot.error();
    if (!settings) {
        imageAtFault = true;
        return settings.error();
    }
    FileResult<bios::FittedLogo> fitted =
        bios::FitLogo(picture.value().pixels, settings.value(), slot.value().packedRoom,
                      !arguments.isSet(NoShrinkOption));
    if (!fitted) {
        return fitted.error();
    }
    if (!fitted.value().note.empty()) {
        console.reportWarning(logo.name(), fitted.value().note.english());
    }
    return std::move(fitted).value().logo;
}

} // namespace

BiosReplaceCommand::BiosReplaceCommand()
    : Command({"bios replace",
               "Make a new Award BIOS image with another logo",
               {"[--dry-run] [--full-screen] IMAGE LOGO OUT",
                "[--dry-run] [--full-screen] [OPTION]... IMAGE PICTURE OUT"},
               "Writes to OUT a new image: IMAGE with LOGO in place of its logo. LOGO must\n"
               "be an EPA file of the old logo's kind and size (kalvero-cli info tells\n"
               "both), taken as it is; any other PICTURE that import reads is made into a\n"
               "logo of that kind and size, as import makes it (--fit, --dither, ...), and\n"
               "where it does not fit the image's room it is made again with less detail\n"
               "until it does (docs/import.md, \"Made to fit\"), saying what it gave up.\n"
               "Only the logo module, the modules behind it in its chain (they\n"
               "move, their bytes stay) and the check bytes that held before change; the\n"
               "new image is walked and proven before it is written, whole or not at all.\n"
               "IMAGE is never changed, and OUT may be neither IMAGE nor LOGO: keep the\n"
               "old image to flash back. One of IMAGE and LOGO may be - (standard input);\n"
               "an OUT of - writes the image to standard output (not to a terminal).\n"
               "Images that Kalvero does not understand are refused, and so are logos\n"
               "that do not fit the room the image has for them.\n"
               "With --full-screen LOGO replaces the full-screen logo, an EPA 2.0 image of\n"
               "16 colours that some BIOSes show before the POST screen: in every\n"
               "full-screen module where they hold the same logo, else in the last, which\n"
               "the BIOS shows (a warning says so).\n"
               "Where QEMU runs the board's chipset, the next step is told: see the new\n"
               "logo drawn by the board's own BIOS with kalvero-cli bios try OUT."}) {}

std::vector<const Option*> BiosReplaceCommand::options() const {
    std::vector<const Option*> options{&DryRunOption, &FullScreenOption};
    options.insert(options.end(), std::begin(PictureOptions), std::end(PictureOptions));
    return options;
}

int BiosReplaceCommand::run(const ArgumentParser& arguments, Console& console) {
    const std::vector<std::string>& files = arguments.operands();
    if (files.size() != 3) {
        return console.reportUsageError(name() + " needs an image, a logo and an output file",
                                        name());
    }
    if (files[0] == "-" && files[1] == "-") {
        return console.reportUsageError("standard input (-) can be read once only", name());
    }
    const bool dryRun = arguments.isSet(DryRunOption);
    InputArgument image(files[0]);
    InputArgument logo(files[1]);
    const OutputArgument output(files[2]);
    const InputArgument* inputs[] = {&image, &logo};
    // A dry run writes nothing to standard output but its report.
    if (!(dryRun && output.isStandardOutput()) &&
        !output.check(inputs, console,
                      "name a new file for the new image, and keep the old image to flash back")) {
        return ExitFailure;
    }
    const FileResult<std::vector<std::uint8_t>> imageBytes = ReadImage(image);
    if (!imageBytes) {
        console.reportFileError(image.name(), imageBytes.error().reason);
        return ExitFailure;
    }
    const bios::LogoPlace place =
        arguments.isSet(FullScreenOption) ? bios::LogoPlace::FullScreen : bios::LogoPlace::Boot;
    bool imageAtFault = false;
    const FileResult<std::vector<std::uint8_t>> logoBytes =
        ReadLogo(logo, imageBytes.value(), place, arguments, console, imageAtFault);
    if (!logoBytes) {
        console.reportFileError(imageAtFault ? image.name() : logo.name(),
                                logoBytes.error().reason);
        return ExitFailure;
    }
    const FileResult<bios::Replacement> replaced =
        bios::ReplaceLogo(imageBytes.value(), logoBytes.value(), place);
    if (!replaced) {
        console.reportFileError(image.name(), replaced.error().reason);
        return ExitFailure;
    }
    if (dryRun) {
        std::vector<std::string> lines{"would take the new logo; nothing was written"};
        const std::vector<std::string> plan = bios::DescribePlan(replaced.value().plan, place);
        lines.insert(lines.end(), plan.begin(), plan.end());
        PrintReport(console, image.name(), lines);
        return ExitSuccess;
    }
    if (!replaced.value().plan.note.empty()) {
        console.reportWarning(image.name(), replaced.value().plan.note.english());
    }
    if (!output.write(replaced.value().image, console)) {
        return ExitFailure;
    }
    if (!output.isStandardOutput()) {
        if (const FileResult<bios::ImageInspection> written =
                bios::InspectAwardImage(replaced.value().image)) {
            if (const std::string next = TryNextStep(written.value(), output.name());
                !next.empty()) {
                PrintReport(console, output.name(), {"written", next});
            }
        }
    }
    return ExitSuccess;
}

} // namespace kalvero::cli
