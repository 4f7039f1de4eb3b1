#include "cli/ImportCommand.h"

#include "bios/LogoFitting.h"
#include "cli/CommonOptions.h"
#include "cli/PictureOptions.h"
#include "cli/WholeNumber.h"

#include <algorithm>
#include <cctype>
#include <initializer_list>

namespace kalvero::cli {
namespace {

constexpr Option MonoOption{0, "mono", "", "Make a 2-colour bitmap (1742 or 2582 bytes)"};
constexpr Option Colors16Option{0, "colors16", "", "Make a 16-colour bitmap (5830 or 8686 bytes)"};
constexpr Option EpaOption{0, "epa", "", "Make an EPA version 1 logo whatever OUT is named"};
constexpr Option FullScreenOption{0, "full-screen", "",
                                  "Make a full-screen logo: a 16-colour EPA 2.0 image\n"
                                  "of 640 x 480 (153660 bytes)"};
constexpr Option SizeOption{0, "size", "SIZE",
                            "With --full-screen: 640x480 (default), 640x464 or\n"
                            "640x479"};
constexpr Option NoPaletteOption{0, "no-palette", "",
                                 "With --full-screen: no palette block, the pixels\n"
                                 "in the standard 16 VGA colours (148488 bytes for\n"
                                 "640 x 464), as one board's full-screen logo is"};
constexpr Option ShortOption{0, "short", "", "Make it 136 x 84 (17 x 6 cells)"};
constexpr Option TallOption{0, "tall", "", "Make it 136 x 126 (17 x 9 cells)"};
constexpr Option ThresholdOption{0, "threshold", "N",
                                 "With --mono and no dithering: pixels of grey value\n"
                                 "N (0 to 255) or more become white (default 119)"};

constexpr Option RoomOption{0, "room", "BYTES",
                            "Make an EPA file that packs (LH5) to at most BYTES,\n"
                            "with less detail where it must (docs/import.md)"};

constexpr int MaxThreshold = 255;
// A logo module unpacks to at most 1 MiB.
constexpr int MostRoom = 1 << 20;

int CountSet(const ArgumentParser& arguments, std::initializer_list<const Option*> options) {
    return static_cast<int>(std::count_if(options.begin(), options.end(),
                                          [&](const Option* o) { return arguments.isSet(*o); }));
}

// The output's extension in lower case, without the point; empty for none.
std::string Suffix(const std::string& file) {
    const std::size_t point = file.rfind('.');
    if (point == std::string::npos || file.find_first_of("/\\", point) != std::string::npos) {
        return {};
    }
    std::string suffix = file.substr(point + 1);
    std::transform(suffix.begin(), suffix.end(), suffix.begin(),
                   [](unsigned char c) { return static_cast<char>(std::tolower(c)); });
    return suffix;
}

} // namespace

ImportCommand::ImportCommand()
    : ConversionCommand(
          {"import", "Make an EPA logo or an accepted bitmap of any picture",
           Synopses("[OPTION]...", "IN", "OUT"),
           "Makes a file for the BIOS logo tools of any picture Qt reads (PNG, JPEG,\n"
           "GIF, BMP of any header or depth, ...):\n"
           "  OUT.epa or --epa  a coloured EPA version 1 logo (1602 or 2367 bytes): each\n"
           "                    8 x 14 cell gets the one palette colour that, on black,\n"
           "                    shows its pixels best\n"
           "  --mono            a 2-colour bitmap (1742 or 2582 bytes), as bmp2epa and\n"
           "                    the editor's Load BMP take it\n"
           "  --colors16        a 16-colour bitmap (5830 or 8686 bytes) whose palette\n"
           "                    suits the EPA 2.0 image bmp2epa makes of it\n"
           "  --full-screen     a 16-colour EPA 2.0 image of 640 x 480 (or --size), the\n"
           "                    logo some BIOSes show over the whole screen\n"
           "Logos and bitmaps are 136 pixels wide: pictures at least 1.4 times as wide\n"
           "as high become short ones (136 x 84), others tall ones (136 x 126).\n"
           "16 colours leave palette entry 6 unused, which two of three boards measured\n"
           "show in another entry's colour, unless --all-16-colors is given.\n"
           "Transparent parts become black. With --output-dir the outputs are named\n"
           ".bmp with --mono or --colors16, else .epa.\n"
           "Picture files of at most 48 MiB are read, and a picture may take at most\n"
           "128 MiB decoded: 33 megapixels of 8-bit colour (7680 x 4320), 16 of 16-bit\n"
           "colour; JPEG and SVG are decoded smaller, so larger ones work too. SVG\n"
           "drawings: at most 4 MiB and 25000 elements, no pictures from other files.\n"
           "Damaged pictures are refused."},
          ".epa",
          {&MonoOption, &Colors16Option, &EpaOption, &FullScreenOption, &ShortOption, &TallOption,
           &SizeOption, &FitOption, &FillOption, &StretchOption, &DitherOption, &ThresholdOption,
           &InvertOption, &AllColorsOption, &NoPaletteOption, &RoomOption, &NoShrinkOption}) {}

std::optional<std::string> ImportCommand::takeOptions(const ArgumentParser& arguments) {
    settings_ = ImportSettings{};
    if (arguments.isSet(ShortOption) && arguments.isSet(TallOption)) {
        return "choose --short or --tall, not both";
    }
    if (arguments.isSet(ShortOption) || arguments.isSet(TallOption)) {
        settings_.tall = arguments.isSet(TallOption);
    }
    if (const std::optional<std::string> problem = TakePictureLook(arguments, settings_)) {
        return problem;
    }
    if (const std::optional<std::string> problem = takeTarget(arguments)) {
        return problem;
    }
    if (const std::optional<std::string> problem = takeSize(arguments)) {
        return problem;
    }
    if (const std::optional<std::string> problem = takeRoom(arguments)) {
        return problem;
    }
    return takeThreshold(arguments);
}

std::optional<std::string> ImportCommand::takeRoom(const ArgumentParser& arguments) {
    room_.reset();
    shrink_ = !arguments.isSet(NoShrinkOption);
    if (!arguments.isSet(RoomOption)) {
        return shrink_ ? std::nullopt
                       : std::optional<std::string>("--no-shrink is for --room only");
    }
    const bool bitmap = settings_.target == ImportTarget::MonoBitmap ||
                        settings_.target == ImportTarget::ColourBitmap;
    if (bitmap) {
        return "--room is for EPA files, which a BIOS image holds packed: leave out --mono and "
               "--colors16";
    }
    const std::optional<int> room = WholeNumber(arguments.value(RoomOption), 1, MostRoom);
    if (!room) {
        return "--room needs a whole number of bytes from 1 to " + std::to_string(MostRoom) +
               ", not '" + arguments.value(RoomOption) + "'";
    }
    room_ = static_cast<std::size_t>(*room);
    return std::nullopt;
}

std::optional<std::string> ImportCommand::takeTarget(const ArgumentParser& arguments) {
    if (CountSet(arguments, {&MonoOption, &Colors16Option, &EpaOption, &FullScreenOption}) > 1) {
        return "choose one of --mono, --colors16, --epa and --full-screen";
    }
    const std::vector<std::string>& files = arguments.operands();
    const std::string suffix =
        !arguments.isSet(OutputDirOption) && files.size() == 2 ? Suffix(files[1]) : "";
    const bool bitmap = arguments.isSet(MonoOption) || arguments.isSet(Colors16Option);
    const bool epa = arguments.isSet(EpaOption);
    const bool fullScreen = arguments.isSet(FullScreenOption);
    if (bitmap && suffix == "epa") {
        const std::string option = arguments.isSet(MonoOption) ? "--mono" : "--colors16";
        return option + " makes a bitmap: name the output .bmp, or leave " + option +
               " out for an EPA logo";
    }
    if ((epa || fullScreen) && suffix == "bmp") {
        return epa ? "--epa makes an EPA logo: name the output .epa"
                   : "--full-screen makes an EPA 2.0 image: name the output .epa";
    }
    if (!bitmap && !epa && !fullScreen && suffix == "bmp") {
        return "say which bitmap to make: --mono or --colors16";
    }
    if (!bitmap && !epa && !fullScreen && !suffix.empty() && suffix != "epa") {
        return "say what to make of the picture: --mono, --colors16, --epa or --full-screen";
    }
    settings_.target = arguments.isSet(MonoOption)       ? ImportTarget::MonoBitmap
                       : arguments.isSet(Colors16Option) ? ImportTarget::ColourBitmap
                       : fullScreen                      ? ImportTarget::FullScreen
                                                         : ImportTarget::EpaLogo;
    settings_.allColours = arguments.isSet(AllColorsOption);
    if (settings_.allColours && !arguments.isSet(Colors16Option) && !fullScreen) {
        return "--all-16-colors is for --colors16 and --full-screen only";
    }
    settings_.ownPalette = !arguments.isSet(NoPaletteOption);
    if (!settings_.ownPalette && !fullScreen) {
        return "--no-palette is for --full-screen only";
    }
    setOutputExtension(bitmap ? ".bmp" : ".epa");
    return std::nullopt;
}

std::optional<std::string> ImportCommand::takeSize(const ArgumentParser& arguments) {
    const bool fullScreen = settings_.target == ImportTarget::FullScreen;
    if (fullScreen && settings_.tall) {
        return "--short and --tall are for logos 136 pixels wide: the full-screen logo takes "
               "--size";
    }
    if (!arguments.isSet(SizeOption)) {
        return std::nullopt;
    }
    if (!fullScreen) {
        return "--size is for --full-screen only";
    }
    const std::string& size = arguments.value(SizeOption);
    for (const int height : FullScreenHeights) {
        if (size == std::to_string(FullScreenWidth) + "x" + std::to_string(height)) {
            settings_.fullScreenHeight = height;
            return std::nullopt;
        }
    }
    return "--size takes 640x480, 640x464 or 640x479, the sizes of full-screen logos in BIOS "
           "images, not '" +
           size + "'";
}

std::optional<std::string> ImportCommand::takeThreshold(const ArgumentParser& arguments) {
    if (!arguments.isSet(ThresholdOption)) {
        return std::nullopt;
    }
    if (settings_.target != ImportTarget::MonoBitmap) {
        return "--threshold is for --mono only";
    }
    if (settings_.dither.value_or(Dither::None) != Dither::None) {
        return "--threshold is for pictures without dithering: leave out --dither " +
               arguments.value(DitherOption);
    }
    const std::optional<int> threshold =
        WholeNumber(arguments.value(ThresholdOption), 0, MaxThreshold);
    if (!threshold) {
        return "--threshold needs a whole number from 0 to " + std::to_string(MaxThreshold) +
               ", not '" + arguments.value(ThresholdOption) + "'";
    }
    settings_.threshold = *threshold;
    settings_.dither = Dither::None;
    return std::nullopt;
}

FileResult<std::vector<std::uint8_t>> ImportCommand::convert(InputArgument& input) {
    const FileResult<DecodedPicture> picture = ReadPicture(input);
    if (!picture) {
        return picture.error();
    }
    ImportSettings settings = settings_;
    settings.tall = settings_.tall.value_or(picture.value().tall);
    if (!room_) {
        return ImportPicture(picture.value().pixels, settings);
    }
    FileResult<bios::FittedLogo> fitted =
        bios::FitLogo(picture.value().pixels, settings, *room_, shrink_);
    if (!fitted) {
        return fitted.error();
    }
    if (!fitted.value().note.empty()) {
        warn(fitted.value().note.english());
    }
    return std::move(fitted).value().logo;
}

} // namespace kalvero::cli
