// kalvero-desktop-files FOLDER: writes the desktop entry and the MIME package
// that an installed Kalvero brings along, with the same texts the program
// writes for itself at every start.

#include "document/FileIo.h"
#include "shell/platform/DesktopFiles.h"

#include <cstdio>
#include <filesystem>
#include <string>

namespace {

bool Write(const std::filesystem::path& path, const std::string& text) {
    const kalvero::FileStatus written = kalvero::WriteFileAtomically(
        path, {reinterpret_cast<const std::uint8_t*>(text.data()), text.size()});
    if (!written) {
        std::fprintf(stderr, "kalvero-desktop-files: %s: %s\n", path.string().c_str(),
                     written.error().reason.english().c_str());
    }
    return written.ok();
}

} // namespace

int main(int argc, char* argv[]) {
    if (argc != 2) {
        std::fprintf(stderr, "usage: kalvero-desktop-files FOLDER\n");
        return 2;
    }
    const std::filesystem::path folder(argv[1]);
    // Installed, the program is found on the PATH and its icon in the theme.
    const bool written =
        Write(folder / "kalvero.desktop", kalvero::DesktopEntryText("kalvero", "kalvero")) &&
        Write(folder / "kalvero-epa.xml", kalvero::MimePackageText());
    return written ? 0 : 1;
}
