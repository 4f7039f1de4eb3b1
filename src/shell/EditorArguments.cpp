#include "shell/EditorArguments.h"

namespace kalvero {
namespace {

constexpr std::string_view HelpText =
    R"(Usage: kalvero [FILE]
  or:  kalvero -- FILE
  or:  kalvero --help | --version

Opens the editor for the boot logo that an Award BIOS shows at power-on (an
EPA file), with FILE when one is given: an EPA logo, or an Award BIOS image
whose logo is then edited and saved as a new image. The whole command line
is taken as the one file name, blanks included; "--" before it makes even
--help or --version a file name.

The editor turns a two-colour bitmap of 136 x 84 or 136 x 126 pixels (1742
or 2582 bytes) into an EPA version 1 logo that is coloured cell by cell and
saved, and a 16-colour bitmap (5830 or 8686 bytes) into an EPA 2.0 image. It
opens and recolours EPA version 1 logos (1602 or 2367 bytes), with numbered
backup copies when asked, and exports a logo as a two-colour bitmap. Opened
from a BIOS image, a logo is saved as a new image beside it, which
kalvero-cli bios replace would make too; the image itself is never written.
It speaks German and English.

Files:
  ~/.config/kalvero/settings   the four options, kept between runs
  ~/.local/share/applications, ~/.local/share/mime, ~/.local/share/icons,
  ~/.config/mimeapps.list      the .epa file type and the desktop entry,
                               checked at every start

kalvero-cli does the same conversions, and more, for scripts and batches.
)";

} // namespace

std::optional<std::string> TerminalAnswer(const std::vector<std::string>& arguments,
                                          std::string_view version) {
    if (arguments.size() == 1 && arguments.front() == "--help") {
        return std::string(HelpText);
    }
    if (arguments.size() == 1 && arguments.front() == "--version") {
        return "kalvero " + std::string(version) + "\n";
    }
    return std::nullopt;
}

std::string CommandLineOf(std::vector<std::string> arguments) {
    if (!arguments.empty() && arguments.front() == "--") {
        arguments.erase(arguments.begin());
    }
    std::string line;
    for (std::size_t i = 0; i < arguments.size(); ++i) {
        line += (i == 0 ? "" : " ") + arguments[i];
    }
    return line;
}

} // namespace kalvero
