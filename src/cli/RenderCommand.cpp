#include "cli/RenderCommand.h"

#include "bios/FixedBlocks.h"
#include "bios/FullScreenShow.h"
#include "bios/LogoModule.h"
#include "cli/ImageInput.h"
#include "cli/PngEncoding.h"
#include "cli/WholeNumber.h"
#include "conversion/BmpHeaderCheck.h"
#include "conversion/BootView.h"

namespace kalvero::cli {
namespace {

constexpr int MaxScale = 16;

constexpr Option ScaleOption{0, "scale", "N",
                             "Draw each pixel as N x N pixels, N from 1 to 16\n(default 1)"};
constexpr Option GridOption{0, "grid", "",
                            "Show the cell grid as the editor's canvas does,\n"
                            "gaps in light grey (154 pixels wide); EPA version 1\n"
                            "only, other files are drawn without it"};
constexpr Option BootOption{0, "boot", "", "Draw an EPA file as the PC shows it at power-on"};
constexpr Option BootScreenOption{0, "boot-screen", "",
                                  "The same, at the top right of the power-on screen"};
constexpr Option FullScreenOption{0, "full-screen", "",
                                  "Of a BIOS image: its full-screen logo instead of\n"
                                  "its boot logo"};

} // namespace

RenderCommand::RenderCommand()
    : ConversionCommand(
          {"render", "Draw a PNG preview of an EPA file, an accepted bitmap or a BIOS logo",
           Synopses("[OPTION]...", "IN", "OUT.png"),
           "Draws a PNG preview of an EPA file or of one of the four accepted bitmaps,\n"
           "one file pixel to one PNG pixel:\n"
           "  an EPA version 1 logo in the editor's 16 colours, 136 x 84 or 136 x 126\n"
           "  an EPA 2.0 image, 16 or 256 colours, in its own palette\n"
           "  a bitmap in its own palette\n"
           "  an Award BIOS image: its boot logo, or with --full-screen its full-screen\n"
           "  logo, as above\n"
           "With --boot, an EPA file as the PC shows it at power-on: a version 1 logo\n"
           "in the VGA text colours, each cell's attribute giving its foreground colour\n"
           "in the low four bits and its background colour in the high four (the\n"
           "editor shows cells above 15 black); an EPA 2.0 image in its own palette.\n"
           "With --boot-screen, the same logo at the top right of a black power-on\n"
           "screen with a few lines of text: 640 x 350 in text mode for version 1,\n"
           "640 x 480 for EPA 2.0, whose palette the whole screen takes (the black is\n"
           "its entry 0, the text its entries 7 and 15). A logo as large as the screen\n"
           "(the full-screen logo) covers the text but for the bottom line, which stands\n"
           "over its last 16 rows. Given the BIOS image, the screen is the one its\n"
           "BIOS shows where Kalvero can tell it from the image: no text line over a\n"
           "full-screen logo whose BIOS shows all of it (docs/bios-images.md).\n"
           "Bitmaps are not shown at power-on and are refused.\n"
           "Where a bitmap's header contradicts the layout its size gives it, a warning\n"
           "on standard error says so."},
          ".png", {&ScaleOption, &GridOption, &BootOption, &BootScreenOption, &FullScreenOption}) {}

std::optional<std::string> RenderCommand::takeOptions(const ArgumentParser& arguments) {
    options_.grid = arguments.isSet(GridOption);
    fullScreen_ = arguments.isSet(FullScreenOption);
    const bool boot = arguments.isSet(BootOption);
    const bool screen = arguments.isSet(BootScreenOption);
    if (boot && screen) {
        return "--boot and --boot-screen exclude each other";
    }
    options_.view = screen ? PreviewView::BootScreen
                    : boot ? PreviewView::Boot
                           : PreviewView::Editor;
    if (options_.grid && options_.view != PreviewView::Editor) {
        return "the PC shows no cell grid: --grid goes with neither --boot nor --boot-screen";
    }
    options_.scale = 1;
    if (!arguments.isSet(ScaleOption)) {
        return std::nullopt;
    }
    const std::optional<int> scale = WholeNumber(arguments.value(ScaleOption), 1, MaxScale);
    if (!scale) {
        return "--scale needs a whole number from 1 to " + std::to_string(MaxScale) + ", not '" +
               arguments.value(ScaleOption) + "'";
    }
    options_.scale = *scale;
    return std::nullopt;
}

FileResult<std::vector<std::uint8_t>> RenderCommand::renderImageLogo(InputArgument& input) {
    const FileResult<bios::ImageInspection> inspection = InspectImage(input);
    if (!inspection) {
        return inspection.error();
    }
    const bios::LogoPlace place = fullScreen_ ? bios::LogoPlace::FullScreen : bios::LogoPlace::Boot;
    const FileResult<bios::ImageLogo> logo = bios::FindLogo(inspection.value(), place);
    if (!logo) {
        return logo.error();
    }
    PreviewOptions options = options_;
    if (fullScreen_ && options.view == PreviewView::BootScreen) {
        const bios::FullScreenShow show = bios::FullScreenShowOf(inspection.value());
        options.bottomLine = show != bios::FullScreenShow::WholeLogo;
        if (show == bios::FullScreenShow::Unknown &&
            logo.value().kind.height > GraphicsModeScreen.height - GraphicsModeScreen.cellHeight) {
            warn("Kalvero cannot tell from this image whether its BIOS draws a line of text over "
                 "the full-screen logo's bottom 16 rows; drawn as the boards measured do");
        }
    }
    const FileResult<RgbImage> picture =
        RenderPreview(inspection.value().contents[logo.value().modules.back()].data, options);
    if (!picture) {
        return picture.error();
    }
    return EncodePng(picture.value());
}

FileResult<std::vector<std::uint8_t>> RenderCommand::convert(InputArgument& input) {
    const FileResult<FileKind> kind = input.kind();
    if (kind && kind.value().type == FileType::NotAccepted &&
        bios::KnownImageSize(kind.value().length)) {
        return renderImageLogo(input);
    }
    if (fullScreen_) {
        return FileError{FileProblem::NotAccepted,
                         Reason::of<"--full-screen draws a BIOS image's full-screen logo, and "
                                    "this is no BIOS image: an EPA file is drawn without it",
                                    "--full-screen zeichnet das Vollbild-Logo eines BIOS-Abbilds, "
                                    "und dies ist kein BIOS-Abbild: eine EPA-Datei wird ohne es "
                                    "gezeichnet">()};
    }
    const FileResult<InputFile> file = input.accepted();
    if (!file) {
        return file.error();
    }
    // The PC's views refuse bitmaps.
    if (options_.view == PreviewView::Editor) {
        for (std::string& warning : BmpHeaderWarnings(file.value().bytes, BmpUse::Picture)) {
            warn(std::move(warning));
        }
    }
    const FileResult<RgbImage> picture = RenderPreview(file.value().bytes, options_);
    if (!picture) {
        return picture.error();
    }
    return EncodePng(picture.value());
}

} // namespace kalvero::cli
